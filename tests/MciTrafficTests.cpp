#include "playback/Playlist.h"
#include "tests/RecordingMci.h"

#include <gtest/gtest.h>

namespace {

const HWND kWindow = reinterpret_cast<HWND>(0x1234);

class MciTraffic : public ::testing::Test {
protected:
    void SetUp() override { g_recordingMci = RecordingMci{}; }
    std::vector<MciCall>& Calls() { return g_recordingMci.calls; }

    static void ExpectOpen(const MciCall& call, const std::string& type, const std::string& path) {
        EXPECT_EQ(call.message, static_cast<UINT>(MCI_OPEN));
        EXPECT_EQ(call.deviceId, 0u);
        EXPECT_EQ(call.flags, static_cast<DWORD_PTR>(MCI_OPEN_TYPE | MCI_OPEN_ELEMENT));
        EXPECT_EQ(call.deviceType, type);
        EXPECT_EQ(call.elementName, path);
    }
    static void ExpectSetAndPlay(const MciCall& set, const MciCall& play, MCIDEVICEID id) {
        EXPECT_EQ(set.message, static_cast<UINT>(MCI_SET));
        EXPECT_EQ(set.deviceId, id);
        EXPECT_EQ(set.flags, static_cast<DWORD_PTR>(MCI_SET_TIME_FORMAT));
        EXPECT_EQ(set.timeFormat, static_cast<DWORD>(MCI_FORMAT_MILLISECONDS));
        EXPECT_EQ(play.message, static_cast<UINT>(MCI_PLAY));
        EXPECT_EQ(play.deviceId, id);
        EXPECT_EQ(play.flags, static_cast<DWORD_PTR>(MCI_NOTIFY | MCI_FROM));
        EXPECT_EQ(play.callback, reinterpret_cast<DWORD_PTR>(kWindow));
        EXPECT_EQ(play.from, 0u);
    }
    static void ExpectStopAndClose(const MciCall& stop, const MciCall& close, MCIDEVICEID id) {
        EXPECT_EQ(stop.message, static_cast<UINT>(MCI_STOP));
        EXPECT_EQ(stop.deviceId, id);
        EXPECT_EQ(stop.flags, static_cast<DWORD_PTR>(MCI_WAIT));
        EXPECT_FALSE(stop.hasRecord);
        EXPECT_EQ(close.message, static_cast<UINT>(MCI_CLOSE));
        EXPECT_EQ(close.deviceId, id);
        EXPECT_EQ(close.flags, static_cast<DWORD_PTR>(MCI_WAIT));
        EXPECT_FALSE(close.hasRecord);
    }
};

}  // namespace

TEST_F(MciTraffic, PlayIsOpenSetPlayAndStopIsStopCloseOnTheSameDevice) {
    Playlist playlist;
    playlist.Add("D:\\Music\\a.mp3");
    playlist.Add("D:\\Music\\b.wav");
    playlist.Next();
    g_recordingMci.nextDeviceId = 7;
    playlist.PlayCurrent(kWindow);
    ASSERT_EQ(Calls().size(), 3u);
    ExpectOpen(Calls()[0], "WaveAudio", "D:\\Music\\b.wav");
    ExpectSetAndPlay(Calls()[1], Calls()[2], 7);
    EXPECT_EQ(playlist.Head()->next->deviceId, 7u);

    playlist.StopCurrent();
    ASSERT_EQ(Calls().size(), 5u);
    ExpectStopAndClose(Calls()[3], Calls()[4], 7);

    // A second stop goes to the closed id again; MCI refuses both and nothing changes.
    g_recordingMci.answers = {MCIERR_INVALID_DEVICE_ID, MCIERR_INVALID_DEVICE_ID};
    playlist.StopCurrent();
    ASSERT_EQ(Calls().size(), 7u);
    ExpectStopAndClose(Calls()[5], Calls()[6], 7);
    EXPECT_EQ(playlist.Head()->next->deviceId, 7u);
}

TEST_F(MciTraffic, NothingIsSentWithoutACurrentEntry) {
    Playlist empty;
    empty.PlayCurrent(kWindow);
    empty.StopCurrent();

    Playlist playlist;
    playlist.Add("a.mp3");
    playlist.SetCurrent(0);
    playlist.PlayCurrent(kWindow);
    playlist.StopCurrent();
    playlist.SetCurrent(2);  // beyond the chain
    playlist.PlayCurrent(kWindow);
    playlist.StopCurrent();
    EXPECT_TRUE(Calls().empty());
}

TEST_F(MciTraffic, StopBeforeAnyPlayAddressesNoDevice) {
    Playlist playlist;
    playlist.Add("a.mp3");
    playlist.StopCurrent();
    ASSERT_EQ(Calls().size(), 2u);
    ExpectStopAndClose(Calls()[0], Calls()[1], 0);
}

TEST_F(MciTraffic, RefusedOpenStillSendsSetAndPlayToTheIdTheEntryHolds) {
    Playlist playlist;
    playlist.Add("C:\\gone.mp3");
    g_recordingMci.answers = {MCIERR_FILE_NOT_FOUND, MCIERR_INVALID_DEVICE_ID};
    playlist.PlayCurrent(kWindow);
    // The time format is refused, so no play is sent.
    ASSERT_EQ(Calls().size(), 2u);
    ExpectOpen(Calls()[0], "MPEGVideo2", "C:\\gone.mp3");
    EXPECT_EQ(Calls()[1].message, static_cast<UINT>(MCI_SET));
    EXPECT_EQ(Calls()[1].deviceId, 0u);

    // Opened once as 3; the next open is refused (the file is open already), and the set and play
    // go to device 3, which starts over from 0.
    Calls().clear();
    g_recordingMci.nextDeviceId = 3;
    playlist.PlayCurrent(kWindow);
    g_recordingMci.answers = {MCIERR_DEVICE_OPEN};
    playlist.PlayCurrent(kWindow);
    ASSERT_EQ(Calls().size(), 6u);
    ExpectSetAndPlay(Calls()[4], Calls()[5], 3);
    EXPECT_EQ(playlist.Head()->deviceId, 3u);
}

TEST_F(MciTraffic, RefusedPlayLeavesTheDeviceOpenForStopToClose) {
    Playlist playlist;
    playlist.Add("a.wav");
    g_recordingMci.answers = {0, 0, MCIERR_HARDWARE};
    playlist.PlayCurrent(kWindow);
    playlist.StopCurrent();
    ASSERT_EQ(Calls().size(), 5u);
    ExpectStopAndClose(Calls()[3], Calls()[4], 1);
}

TEST_F(MciTraffic, PauseAndResumeWaitOnTheDeviceAndADeviceWithoutResumePlaysOnFromWhereItStands) {
    Playlist playlist;
    playlist.Add("a.wav");
    g_recordingMci.nextDeviceId = 4;
    playlist.PlayCurrent(kWindow);
    Calls().clear();
    EXPECT_EQ(playlist.PauseCurrent(), 1);
    EXPECT_EQ(playlist.ResumeCurrent(kWindow), 1);
    g_recordingMci.answers = {MCIERR_UNSUPPORTED_FUNCTION};
    EXPECT_EQ(playlist.ResumeCurrent(kWindow), 1);
    ASSERT_EQ(Calls().size(), 4u);
    const UINT expected[] = {MCI_PAUSE, MCI_RESUME, MCI_RESUME, MCI_PLAY};
    for (size_t i = 0; i < Calls().size(); ++i) {
        EXPECT_EQ(Calls()[i].message, expected[i]) << i;
        EXPECT_EQ(Calls()[i].deviceId, 4u) << i;
    }
    EXPECT_EQ(Calls()[1].flags, static_cast<DWORD_PTR>(MCI_WAIT));
    EXPECT_EQ(Calls()[3].flags, static_cast<DWORD_PTR>(MCI_NOTIFY)) << "no starting point: on from where it stands";
    EXPECT_EQ(Calls()[3].callback, reinterpret_cast<DWORD_PTR>(kWindow));
    g_recordingMci.answers = {MCIERR_UNSUPPORTED_FUNCTION};
    EXPECT_EQ(playlist.PauseCurrent(), 0) << "a device that cannot pause";
}

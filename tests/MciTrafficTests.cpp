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

TEST_F(MciTraffic, PlayIsOpenSetPlayAndStopSilencesTheDeviceAndClosesIt) {
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

    // A wave device is paused, so that it falls silent at once, and closed without a stop, which
    // would play out what it has queued.
    playlist.StopCurrent();
    ASSERT_EQ(Calls().size(), 6u);
    EXPECT_EQ(Calls()[3].message, static_cast<UINT>(MCI_PAUSE));
    EXPECT_EQ(Calls()[3].flags, static_cast<DWORD_PTR>(MCI_WAIT));
    EXPECT_EQ(Calls()[4].message, static_cast<UINT>(MCI_STATUS));
    EXPECT_EQ(Calls()[4].statusItem, static_cast<DWORD_PTR>(MCI_STATUS_MODE));
    EXPECT_EQ(Calls()[5].message, static_cast<UINT>(MCI_CLOSE));
    EXPECT_EQ(Calls()[5].deviceId, 7u);

    // A second stop sends nothing: MCI may have handed the closed id to another device since.
    playlist.StopCurrent();
    EXPECT_EQ(Calls().size(), 6u);
    EXPECT_EQ(playlist.Head()->next->deviceId, 7u);

    // A pause that did not take (just after the play started) is followed by the stop after all;
    // any other device is stopped and closed.
    playlist.PlayCurrent(kWindow);
    g_recordingMci.mode = MCI_MODE_PLAY;
    Calls().clear();
    playlist.StopCurrent();
    ASSERT_EQ(Calls().size(), 4u);
    ExpectStopAndClose(Calls()[2], Calls()[3], 8);
    playlist.Prev();
    playlist.PlayCurrent(kWindow);
    Calls().clear();
    playlist.StopCurrent();
    ASSERT_EQ(Calls().size(), 2u);
    ExpectStopAndClose(Calls()[0], Calls()[1], 9);
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

TEST_F(MciTraffic, StopBeforeAnyPlaySendsNothing) {
    Playlist playlist;
    playlist.Add("a.mp3");
    playlist.StopCurrent();
    EXPECT_TRUE(Calls().empty());
}

// A refused open plays only a device of the entry's own that is still open; the id an entry kept of
// a device closed since may name another entry's device by now.
TEST_F(MciTraffic, ARefusedOpenRestartsOnlyTheEntrysOwnOpenDevice) {
    Playlist playlist;
    playlist.Add("C:\\gone.mp3");
    playlist.Add("C:\\other.mp3");
    g_recordingMci.answers = {MCIERR_FILE_NOT_FOUND};
    EXPECT_EQ(playlist.PlayCurrent(kWindow), 0);
    ASSERT_EQ(Calls().size(), 1u);
    ExpectOpen(Calls()[0], "MPEGVideo2", "C:\\gone.mp3");

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

    // Closed; MCI hands 3 to the other entry's device; the first entry's open is refused again.
    playlist.StopCurrent();
    playlist.SetCurrent(2);
    g_recordingMci.nextDeviceId = 3;
    playlist.PlayCurrent(kWindow);
    playlist.SetCurrent(1);
    Calls().clear();
    g_recordingMci.answers = {MCIERR_FILE_NOT_FOUND};
    EXPECT_EQ(playlist.PlayCurrent(kWindow), 0);
    ASSERT_EQ(Calls().size(), 1u) << "the other entry's device 3 was sent " << Calls().back().message;
}

// Opened ahead, the next entry's device is opened and set while another plays; its play is then one
// command, and an unplayed one is closed without a stop.
TEST_F(MciTraffic, AnEntryOpenedAheadPlaysWithOneCommand) {
    Playlist playlist;
    playlist.Add("a.wav");
    playlist.Add("b.wav");
    g_recordingMci.nextDeviceId = 5;
    EXPECT_EQ(playlist.OpenAhead(2), 5u);
    ASSERT_EQ(Calls().size(), 3u);
    ExpectOpen(Calls()[0], "WaveAudio", "b.wav");
    EXPECT_EQ(Calls()[1].message, static_cast<UINT>(MCI_SET));
    EXPECT_EQ(Calls()[1].timeFormat, static_cast<DWORD>(MCI_FORMAT_MILLISECONDS));
    EXPECT_EQ(Calls()[2].message, static_cast<UINT>(MCI_CUE));
    playlist.Next();
    Calls().clear();
    EXPECT_EQ(playlist.PlayOpened(kWindow), 1);
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0].message, static_cast<UINT>(MCI_PLAY));
    EXPECT_EQ(Calls()[0].deviceId, 5u);
    EXPECT_EQ(Calls()[0].flags, static_cast<DWORD_PTR>(MCI_NOTIFY | MCI_FROM));
    EXPECT_EQ(Calls()[0].from, 0u);

    EXPECT_EQ(playlist.OpenAhead(1), 6u);
    Calls().clear();
    playlist.CloseOpened(6);
    playlist.CloseOpened(6);  // closed once only
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0].message, static_cast<UINT>(MCI_CLOSE));
    EXPECT_EQ(Calls()[0].deviceId, 6u);
}

TEST_F(MciTraffic, RefusedPlayLeavesTheDeviceOpenForStopToClose) {
    Playlist playlist;
    playlist.Add("a.mp3");
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

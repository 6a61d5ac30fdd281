// Real playback through Wine's winmm: the generated media play to their end and notify the window.
#include "common/Platform.h"
#include "playback/DeviceTypes.h"
#include "playback/Playlist.h"
#include "tests/ScratchFiles.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

namespace {

bool Received(const NotifyWindow& window, WPARAM code) {
    for (const auto& notification : window.notifications) {
        if (notification.first == code) return true;
    }
    return false;
}

}  // namespace

TEST(Playback, WavAndMp3PlayToTheirEndAndNotifySuccess) {
    SKIP_WITHOUT_FIXTURES();
    for (const char* name : {"short.wav", "short.mp3"}) {
        SCOPED_TRACE(name);
        NotifyWindow window;
        Playlist playlist;
        playlist.Add(Fixture(name));
        playlist.PlayCurrent(window.Handle());
        ASSERT_NE(playlist.Head()->deviceId, 0u) << "the open was refused";
        ASSERT_TRUE(PumpUntil([&] { return !window.notifications.empty(); }, 10000));
        EXPECT_EQ(window.notifications[0].first, static_cast<WPARAM>(MCI_NOTIFY_SUCCESSFUL));
        EXPECT_EQ(OpenMciDeviceCount(), 1);  // the ended device stays open until stopped
        playlist.StopCurrent();
        EXPECT_EQ(OpenMciDeviceCount(), 0);
    }
}

TEST(Playback, TodaysCompressedFormatsPlayThroughTheDirectShowDeviceToTheirEnd) {
    SKIP_WITHOUT_FIXTURES();
    // Under Wine, GStreamer decodes them all (the test command installs its plugins); Windows has a
    // decoder for some only, and refuses to open the others.
    const bool underWine = RunningOnWine();
    std::string undecoded;
    for (const char* name : {"short.flac", "short.oga", "short.ogg", "short.opus", "short.m4a", "short.aac"}) {
        SCOPED_TRACE(name);
        NotifyWindow window;
        Playlist playlist;
        playlist.Add(Fixture(name));
        ASSERT_EQ(playlist.GetCount(), 1);
        EXPECT_EQ(playlist.Head()->deviceType(), "MPEGVideo");
        playlist.PlayCurrent(window.Handle());
        if (playlist.Head()->deviceId == 0 && !underWine) {
            undecoded += std::string(" ") + name;
            continue;
        }
        EXPECT_NE(playlist.Head()->deviceId, 0u) << "the open was refused: is GStreamer's decoder installed?";
        EXPECT_TRUE(PumpUntil([&] { return !window.notifications.empty(); }, 10000));
        EXPECT_TRUE(Received(window, MCI_NOTIFY_SUCCESSFUL));
        playlist.StopCurrent();
        EXPECT_EQ(OpenMciDeviceCount(), 0);
    }
    if (!undecoded.empty()) GTEST_SKIP() << "no DirectShow decoder on this Windows for" << undecoded;
}

// Every extension that the playlist gives to the DirectShow device, or to the wave device, plays
// through the device its row names: a wrong row would be refused or play nothing. The files are
// copies of the MP3 and WAV fixtures under each name; the DirectShow device looks at the content,
// not the name. The video, MIDI and CD rows have no device to play them here.
TEST(Playback, EachExtensionPlaysThroughItsDevice) {
    SKIP_WITHOUT_FIXTURES();
    TempFolder folder;
    std::string refused;
    for (const std::string_view extension : MediaExtensions()) {
        const std::string device = DeviceTypeFor(extension);
        const bool wave = device == "WaveAudio";
        if (!wave && device.rfind("MPEGVideo", 0) != 0) {
            continue;
        }
        SCOPED_TRACE(std::string(extension));
        std::string name = "tone";
        name += extension;
        const std::string path = folder / name;
        ASSERT_TRUE(CopyFileA(Fixture(wave ? "short.wav" : "short.mp3").c_str(), path.c_str(), FALSE));
        NotifyWindow window;
        Playlist playlist;
        playlist.Add(path);
        ASSERT_EQ(playlist.GetCount(), 1);
        EXPECT_EQ(playlist.Head()->deviceType(), device);
        playlist.PlayCurrent(window.Handle());
        if (playlist.Head()->deviceId == 0) {
            refused += " " + std::string(extension);
            continue;
        }
        EXPECT_TRUE(PumpUntil([&] { return Received(window, MCI_NOTIFY_SUCCESSFUL); }, 10000));
        playlist.StopCurrent();
    }
    // Windows' DirectShow may choose by the name and refuse some; Wine's decodes them all.
    if (RunningOnWine()) {
        EXPECT_EQ(refused, "");
    } else if (!refused.empty()) {
        GTEST_SKIP() << "refused on this Windows:" << refused;
    }
}

TEST(Playback, StopDuringAPlayInterruptsIt) {
    TempFolder folder;
    WriteWav(folder / "long.wav", 3000);
    NotifyWindow window;
    Playlist playlist;
    playlist.Add(folder / "long.wav");
    playlist.PlayCurrent(window.Handle());
    ASSERT_TRUE(PumpUntil([&] { return PositionOf(playlist.Head()->deviceId) > 0; }, 5000));
    playlist.StopCurrent();
    ASSERT_TRUE(PumpUntil([&] { return !window.notifications.empty(); }, 5000));
    const WPARAM code = window.notifications[0].first;
    EXPECT_TRUE(code == MCI_NOTIFY_ABORTED || code == MCI_NOTIFY_SUPERSEDED) << code;
    EXPECT_EQ(OpenMciDeviceCount(), 0);
}

TEST(Playback, MissingFileGivesNoNotification) {
    TempFolder folder;
    NotifyWindow window;
    Playlist playlist;
    playlist.Add(folder / "gone.wav");
    playlist.PlayCurrent(window.Handle());
    PumpFor(300);
    EXPECT_TRUE(window.notifications.empty());
    EXPECT_EQ(OpenMciDeviceCount(), 0);
    playlist.StopCurrent();  // to device id 0, refused and harmless
}

TEST(Playback, PlayChosenTwiceRestartsTheOneDevice) {
    TempFolder folder;
    WriteWav(folder / "long.wav", 10000);
    NotifyWindow window;
    Playlist playlist;
    playlist.Add(folder / "long.wav");
    playlist.PlayCurrent(window.Handle());
    const UINT first = playlist.Head()->deviceId;
    ASSERT_NE(first, 0u);
    // Well into the media, so that a restart shows however far the sound output buffers ahead.
    ASSERT_TRUE(PumpUntil([&] { return PositionOf(first) > 2500; }, 8000));

    // The second open of the open file is refused, so the set and play restart the first device.
    playlist.PlayCurrent(window.Handle());
    EXPECT_EQ(playlist.Head()->deviceId, first);
    EXPECT_LT(PositionOf(first), 1500u);
    EXPECT_EQ(OpenMciDeviceCount(), 1);
    EXPECT_TRUE(PumpUntil(
        [&] { return Received(window, MCI_NOTIFY_SUPERSEDED) || Received(window, MCI_NOTIFY_ABORTED); }, 2000));
    EXPECT_FALSE(Received(window, MCI_NOTIFY_SUCCESSFUL));

    playlist.StopCurrent();
    EXPECT_EQ(OpenMciDeviceCount(), 0);
}

TEST(Playback, TheWaveDriverStaysLoadedAfterItsLastDeviceCloses) {
    SKIP_WITHOUT_FIXTURES();
    // Its play thread may still be finishing when the device is closed right after the end notice.
    NotifyWindow window;
    Playlist playlist;
    playlist.Add(Fixture("short.wav"));
    playlist.PlayCurrent(window.Handle());
    ASSERT_TRUE(PumpUntil([&] { return !window.notifications.empty(); }, 10000));
    playlist.StopCurrent();
    EXPECT_EQ(OpenMciDeviceCount(), 0);
    EXPECT_NE(GetModuleHandleA("mciwave.dll"), nullptr);
}

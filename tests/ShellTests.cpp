// The main window started in-process as the program starts it, driven by the four kinds of message,
// with generated WAV files played through the real MCI.
#include "tests/ShellTestSupport.h"
#include "tests/TestSupport.h"

#include <mmsystem.h>

#include <sddl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <atomic>
#include <thread>

#include "app/HandOver.h"
#include "app/Playing.h"
#include "app/Session.h"
#include "app/Settings.h"
#include "app/TrayIcon.h"
#include "app/Volume.h"
#include "common/ScopedHandles.h"
#include "dialogs/FileChoosers.h"
#include "playback/PathSearch.h"
#include "playback/SessionFile.h"
#include "resources/resource.h"

using namespace shell_test;

namespace {

class ShellPlayback : public ShellTest {
protected:
    // Fills the playlist with WAV files of the given length, entry 1 current.
    void AddWavs(int count, int milliseconds) {
        for (int i = 1; i <= count; ++i) {
            const std::string path = media_ / ("entry" + std::to_string(i) + ".wav");
            WriteWav(path, milliseconds);
            g_playlist->Add(path);
        }
    }
    // Pumps until the playlist has come to rest: nothing plays and no notice is pending.
    bool UntilStopped(DWORD timeoutMs = 8000) {
        return PumpUntil([] { return Playback() != PlaybackState::Playing && OpenMciDeviceCount() == 0; }, timeoutMs);
    }
    TempFolder media_;
};

}  // namespace

TEST_F(ShellTest, StartsWithBothSettingsOffAndAnEmptyPlaylist) {
    EXPECT_FALSE(MenuChecked(IDM_LOOP));
    EXPECT_FALSE(MenuChecked(IDM_LOAD_AT_STARTUP));
    EXPECT_EQ(g_runAtStartup, 0);
    EXPECT_EQ(g_loop, 0);
    EXPECT_EQ(g_playlist->GetCount(), 0);
    EXPECT_NE(Playback(), PlaybackState::Playing);
    EXPECT_FALSE(IsWindowVisible(window_));
}

class ShellWithStoredSettings : public ShellTest {
protected:
    ShellWithStoredSettings() { startInSetUp_ = false; }
};

TEST_F(ShellWithStoredSettings, ValuesOfAnyTypeOrContentReadAsPresent) {
    WriteRegistryValue(kLoopKey, "Loop", REG_DWORD, std::string("\0\0\0\0", 4));
    WriteRegistryValue(kRunKey, "Pipit", REG_BINARY, "");
    Start();
    EXPECT_TRUE(MenuChecked(IDM_LOOP));
    EXPECT_TRUE(MenuChecked(IDM_LOAD_AT_STARTUP));
    EXPECT_EQ(g_loop, 1);
    EXPECT_EQ(g_runAtStartup, 1);
    // The playlist made at start-up carries the setting.
    g_playlist->Add("a.wav");
    g_playlist->Add("b.wav");
    g_playlist->SetCurrent(2);
    EXPECT_EQ(g_playlist->Next(), 1);
}

TEST_F(ShellTest, LoopToggleCreatesTheKeyAndDeletesOnlyTheValue) {
    DeleteRegistryKey(kLoopKey);
    ASSERT_FALSE(RegistryKeyExists(kLoopKey));
    Command(IDM_LOOP);
    EXPECT_TRUE(MenuChecked(IDM_LOOP));
    EXPECT_EQ(g_loop, 1);
    const RegistryValue stored = ReadRegistryValue(kLoopKey, "Loop");
    EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(stored.data, std::string("0\0", 2));
    EXPECT_EQ(ReadLoop(), 1);

    Command(IDM_LOOP);
    EXPECT_FALSE(MenuChecked(IDM_LOOP));
    EXPECT_EQ(ReadRegistryValue(kLoopKey, "Loop").type, static_cast<DWORD>(REG_NONE));
    EXPECT_TRUE(RegistryKeyExists(kLoopKey));
    WriteLoop(0);  // already absent: nothing changes
    EXPECT_TRUE(RegistryKeyExists(kLoopKey));
    EXPECT_EQ(ReadLoop(), 0);
}

TEST_F(ShellTest, RunAtStartupStoresTheRunningProgramQuoted) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    Command(IDM_LOAD_AT_STARTUP);
    EXPECT_TRUE(MenuChecked(IDM_LOAD_AT_STARTUP));
    const RegistryValue stored = ReadRegistryValue(kRunKey, "Pipit");
    EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ));
    std::string quoted(1, '"');
    quoted.append(path).append("\"", 2);  // closing quote and terminator
    EXPECT_EQ(stored.data, quoted);

    Command(IDM_LOAD_AT_STARTUP);
    EXPECT_FALSE(MenuChecked(IDM_LOAD_AT_STARTUP));
    EXPECT_EQ(ReadRunAtStartup(), 0);
}

namespace {

// Denies writing values into a key of the test prefix, as a policy or a scanner might; the key's
// own security comes back when the guard goes.
class WritesRefused {
public:
    explicit WritesRefused(const char* key) {
        RegCreateKeyA(HKEY_CURRENT_USER, key, key_.Receive());
        DWORD size = 0;
        RegGetKeySecurity(key_.Get(), DACL_SECURITY_INFORMATION, nullptr, &size);
        original_.resize(size);
        RegGetKeySecurity(key_.Get(), DACL_SECURITY_INFORMATION, original_.data(), &size);
        PSECURITY_DESCRIPTOR deny = nullptr;
        ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(D;;0x2;;;WD)(A;;GA;;;WD)", SDDL_REVISION_1, &deny,
                                                             nullptr);
        RegSetKeySecurity(key_.Get(), DACL_SECURITY_INFORMATION, deny);
        LocalFree(deny);
    }
    ~WritesRefused() { RegSetKeySecurity(key_.Get(), DACL_SECURITY_INFORMATION, original_.data()); }
    WritesRefused(const WritesRefused&) = delete;
    WritesRefused& operator=(const WritesRefused&) = delete;

private:
    ScopedRegKey key_;
    std::vector<char> original_;
};

}  // namespace

TEST_F(ShellTest, ChecksShowTheStoredRunValueAndLoopAsItPlaysWhenTheRegistryRefuses) {
    {
        WritesRefused refused(kRunKey);
        Command(IDM_LOAD_AT_STARTUP);
        EXPECT_EQ(ReadRunAtStartup(), 0) << "the refusal did not take";
        EXPECT_FALSE(MenuChecked(IDM_LOAD_AT_STARTUP));
        EXPECT_EQ(g_runAtStartup, 0);
    }
    {
        WritesRefused refused(kLoopKey);
        Command(IDM_LOOP);
        EXPECT_EQ(ReadLoop(), 0) << "the refusal did not take";
        EXPECT_TRUE(MenuChecked(IDM_LOOP));
        g_playlist->Add("a.wav");
        g_playlist->Add("b.wav");
        g_playlist->SetCurrent(2);
        EXPECT_EQ(g_playlist->Next(), 1) << "playback loops";
    }
    Command(IDM_LOAD_AT_STARTUP);
    EXPECT_TRUE(MenuChecked(IDM_LOAD_AT_STARTUP));
}

TEST_F(ShellPlayback, EndOfEachEntryAdvancesAndStopsAfterTheLastWithLoopOff) {
    AddWavs(3, 120);
    std::vector<int> started;
    Command(IDM_PLAY);
    EXPECT_EQ(Playback(), PlaybackState::Playing);
    started.push_back(g_playlist->Current());
    ASSERT_TRUE(PumpUntil(
        [&] {
        if (g_playlist->Current() != started.back()) started.push_back(g_playlist->Current());
        return Playback() != PlaybackState::Playing;
        },
        10000));
    EXPECT_EQ(started, (std::vector<int>{1, 2, 3, 1}));
    EXPECT_EQ(g_playlist->Current(), 1);
    EXPECT_TRUE(PumpUntil([] { return OpenMciDeviceCount() == 0; }, 5000))
        << "the last entry's device is closed once its sound is out";
    PumpFor(300);
    EXPECT_NE(Playback(), PlaybackState::Playing) << "nothing goes on after the last entry";
}

TEST_F(ShellPlayback, EndOfTheLastEntryWrapsWithLoopOn) {
    AddWavs(2, 120);
    Command(IDM_LOOP);
    Command(IDM_PLAY);
    int wraps = 0;
    int last = 1;
    ASSERT_TRUE(PumpUntil(
        [&] {
        if (g_playlist->Current() == 1 && last == 2) ++wraps;
        last = g_playlist->Current();
        return wraps == 1;
        },
        10000));
    EXPECT_EQ(Playback(), PlaybackState::Playing);
    EXPECT_EQ(ModeOf(g_playlist->CurrentDeviceId()), static_cast<DWORD>(MCI_MODE_PLAY));
    Command(IDM_STOP);
    EXPECT_NE(Playback(), PlaybackState::Playing);
    EXPECT_EQ(OpenMciDeviceCount(), 0);
}

TEST_F(ShellPlayback, OneEntryIsNeverRepeatedEvenWithLoopOn) {
    AddWavs(1, 120);
    Command(IDM_LOOP);
    Command(IDM_PLAY);
    ASSERT_TRUE(UntilStopped());
    PumpFor(300);
    EXPECT_NE(Playback(), PlaybackState::Playing);
    EXPECT_EQ(OpenMciDeviceCount(), 0);
    EXPECT_EQ(g_playlist->Current(), 1);
}

TEST_F(ShellPlayback, NextAndPreviousOnAnEmptyPlaylistDoNothing) {
    for (UINT id : {IDM_NEXT, IDM_PREV}) Command(id);
    for (int id : {2, 3}) Hotkey(id);
    EXPECT_EQ(g_playlist->Current(), 0);
    EXPECT_NE(Playback(), PlaybackState::Playing);
    Command(IDM_PLAY);  // plays nothing, so nothing counts as playing
    EXPECT_NE(Playback(), PlaybackState::Playing);
}

TEST_F(ShellPlayback, LeftClickAfterNextStopsInsteadOfPlayingAgain) {
    AddWavs(3, 3000);
    Tray(WM_LBUTTONUP);
    EXPECT_EQ(Playback(), PlaybackState::Playing);
    Command(IDM_NEXT);
    EXPECT_EQ(g_playlist->Current(), 2);
    ASSERT_TRUE(PumpUntilNoticesTaken());  // the stopped entry's notice must not clear the flag
    EXPECT_EQ(Playback(), PlaybackState::Playing);
    EXPECT_EQ(ModeOf(g_playlist->CurrentDeviceId()), static_cast<DWORD>(MCI_MODE_PLAY));
    Tray(WM_LBUTTONUP);
    EXPECT_NE(Playback(), PlaybackState::Playing);
    EXPECT_EQ(OpenMciDeviceCount(), 0);
    Tray(WM_LBUTTONUP);  // and the next click plays again
    EXPECT_EQ(Playback(), PlaybackState::Playing);
    EXPECT_EQ(g_playlist->Current(), 2);
}

TEST_F(ShellPlayback, HotkeysPlayStopStepForwardAndBack) {
    AddWavs(3, 3000);
    Hotkey(0);
    EXPECT_EQ(Playback(), PlaybackState::Playing);
    Hotkey(3);
    EXPECT_EQ(g_playlist->Current(), 3);
    Hotkey(2);
    EXPECT_EQ(g_playlist->Current(), 1);
    Hotkey(2);
    EXPECT_EQ(g_playlist->Current(), 2);
    EXPECT_EQ(OpenMciDeviceCount(), 1);
    Hotkey(1);
    EXPECT_NE(Playback(), PlaybackState::Playing);
    EXPECT_EQ(OpenMciDeviceCount(), 0);
}

TEST_F(ShellPlayback, StaleSuccessNoticeOfAStoppedEntryDoesNotSkipTheNext) {
    WriteWav(media_ / "short.wav", 100);
    g_playlist->Add(media_ / "short.wav");
    AddWavs(2, 3000);
    Command(IDM_PLAY);
    // Let the play end without handling its notice, then step on as the user would.
    MSG notice{};
    const DWORD start = GetTickCount();
    while (!PeekMessageA(&notice, window_, MM_MCINOTIFY, MM_MCINOTIFY, PM_NOREMOVE) && GetTickCount() - start < 5000) {
        Sleep(10);
    }
    ASSERT_EQ(notice.message, static_cast<UINT>(MM_MCINOTIFY)) << "the short entry's notice never came";
    ASSERT_EQ(notice.wParam, static_cast<WPARAM>(MCI_NOTIFY_SUCCESSFUL));
    Command(IDM_NEXT);
    EXPECT_EQ(g_playlist->Current(), 2);
    ASSERT_TRUE(PumpUntilNoticesTaken());
    EXPECT_EQ(g_playlist->Current(), 2);
    EXPECT_EQ(Playback(), PlaybackState::Playing);
    Command(IDM_STOP);
}

// A missing file, and a file that WaveAudio refuses to open (no RIFF header: no driver plays it).
class ShellWithUnplayable : public ShellPlayback {
protected:
    std::string Missing() { return media_ / "moved away.wav"; }
    std::string Unplayable() {
        const std::string path = media_ / "noise.wav";
        WriteBytes(path, std::string(4000, 'x'));
        return path;
    }
    std::string Wav(const std::string& name, int milliseconds) {
        WriteWav(media_ / name, milliseconds);
        return media_ / name;
    }
};

TEST_F(ShellWithUnplayable, EntriesThatCannotPlayArePassedOverInTheDirectionOfTravel) {
    for (const std::string& path : {Wav("first.wav", 1500), Missing(), Unplayable(), Wav("last.wav", 4000)}) {
        g_playlist->Add(path);
    }
    Command(IDM_PLAY);
    ASSERT_EQ(g_playlist->Current(), 1);
    // The end of the first entry goes on across both bad ones.
    ASSERT_TRUE(PumpUntil([] { return g_playlist->Current() == 4 && Playback() == PlaybackState::Playing; }, 8000));
    EXPECT_EQ(OpenMciDeviceCount(), 1);
    Command(IDM_PREV);
    ASSERT_TRUE(PumpUntil([] { return Playback() != PlaybackState::Searching; }, 3000));
    EXPECT_EQ(g_playlist->Current(), 1);
    EXPECT_EQ(Playback(), PlaybackState::Playing);
    Hotkey(2);  // Next
    ASSERT_TRUE(PumpUntil([] { return Playback() != PlaybackState::Searching; }, 3000));
    EXPECT_EQ(g_playlist->Current(), 4);
    Command(IDM_STOP);
    g_playlist->SetCurrent(2);
    Tray(WM_LBUTTONUP);  // Play
    ASSERT_TRUE(PumpUntil([] { return Playback() != PlaybackState::Searching; }, 3000));
    EXPECT_EQ(g_playlist->Current(), 4);
    EXPECT_EQ(Playback(), PlaybackState::Playing);
    EXPECT_EQ(OpenMciDeviceCount(), 1);
}

TEST_F(ShellWithUnplayable, WhenNothingPlaysTheEntryMeantStaysCurrentAndNothingCountsAsPlaying) {
    // With Loop off, the end of the first entry tries the rest of the playlist only.
    for (const std::string& path : {Wav("first.wav", 100), Missing(), Unplayable()}) g_playlist->Add(path);
    Command(IDM_PLAY);
    ASSERT_TRUE(PumpUntil([] { return g_playlist->Current() != 1 && Playback() != PlaybackState::Searching; }, 8000));
    EXPECT_EQ(g_playlist->Current(), 2);
    EXPECT_NE(Playback(), PlaybackState::Playing);
    EXPECT_EQ(OpenMciDeviceCount(), 0);
    // A whole round of Play finds nothing either; the next click tries again.
    Tray(WM_LBUTTONUP);
    ASSERT_TRUE(PumpUntil([] { return Playback() != PlaybackState::Searching; }, 3000));
    EXPECT_EQ(g_playlist->Current(), 1) << "entry 1 plays again";
    EXPECT_EQ(Playback(), PlaybackState::Playing);
    Command(IDM_STOP);
    ClearPlaylist();
    g_playlist->Add(Missing());
    g_playlist->Add(Unplayable());
    Tray(WM_LBUTTONUP);
    ASSERT_TRUE(PumpUntil([] { return Playback() != PlaybackState::Searching; }, 3000));
    EXPECT_EQ(g_playlist->Current(), 1);
    EXPECT_NE(Playback(), PlaybackState::Playing);
    EXPECT_EQ(OpenMciDeviceCount(), 0);
}

namespace {

DWORD g_menuAskedAt = 0;
DWORD g_menuShownAfter = 0;

// Watches for the tray menu, notes when it came, and closes it again.
void CALLBACK CloseTrayMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND menu = FindWindowA("#32768", nullptr);
    if (menu && IsWindowVisible(menu)) {
        g_menuShownAfter = GetTickCount() - g_menuAskedAt;
        KillTimer(nullptr, timer);
        EndMenu();
    }
}

}  // namespace

TEST_F(ShellPlayback, TheTrayAnswersWhileAHundredThousandMissingFilesArePassedOver) {
    for (int i = 0; i < 100000; ++i) g_playlist->Add("Z:\\nowhere\\missing" + std::to_string(i) + ".wav");
    Command(IDM_PLAY);
    ASSERT_EQ(Playback(), PlaybackState::Searching);
    g_menuShownAfter = 0;
    g_menuAskedAt = GetTickCount();
    SetTimer(nullptr, 0, 10, CloseTrayMenu);
    PostMessageA(window_, WM_TRAYNOTIFY, kTrayIconId, WM_RBUTTONUP);
    ASSERT_TRUE(PumpUntil([] { return g_menuShownAfter != 0; }, 10000)) << "the menu never came";
    EXPECT_LT(g_menuShownAfter, 1000u);
    EXPECT_EQ(Playback(), PlaybackState::Searching);
    EXPECT_NE(Playback(), PlaybackState::Playing);
    EXPECT_EQ(OpenMciDeviceCount(), 0);
    // Stop ends the search at once, back on the entry the command meant.
    Hotkey(1);
    EXPECT_NE(Playback(), PlaybackState::Searching);
    EXPECT_EQ(g_playlist->Current(), 1);
    Command(IDM_NEXT);
    EXPECT_EQ(Playback(), PlaybackState::Searching);
    Command(IDM_EXIT);
    EXPECT_NE(Playback(), PlaybackState::Searching);
    PumpFor(50);  // no turn of the search comes after Exit
}

TEST_F(ShellPlayback, DeviceFailureClearsPlayingAndDoesNotAdvance) {
    AddWavs(2, 3000);
    Command(IDM_PLAY);
    SendMessageA(window_, MM_MCINOTIFY, MCI_NOTIFY_FAILURE, 0);
    EXPECT_NE(Playback(), PlaybackState::Playing);
    EXPECT_EQ(g_playlist->Current(), 1);
    Command(IDM_STOP);
}

TEST_F(ShellTest, ExitEndsTheWindowAndRemovesTheIcon) {
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = window_;
    icon.uID = kTrayIconId;
    Command(IDM_EXIT);
    EXPECT_FALSE(IsWindow(window_));
    EXPECT_EQ(g_playlist, nullptr);
    EXPECT_EQ(g_menu, nullptr);
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &icon));
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// What the window leaves to the platform's default answers 0 as a handled message does, so the test
// is that none of them touches what plays.
TEST_F(ShellPlayback, UnknownCommandsHotkeysTimersAndNoticesChangeNothing) {
    AddWavs(2, 3000);
    Command(IDM_PLAY);
    ASSERT_EQ(Playback(), PlaybackState::Playing);
    EXPECT_EQ(Command(45000), 0);
    EXPECT_EQ(Tray(WM_MOUSEMOVE), 0);
    EXPECT_EQ(Tray(WM_LBUTTONDBLCLK), 0);  // a double click's own message: its two button-ups act
    EXPECT_EQ(Hotkey(99), 0);
    EXPECT_EQ(SendMessageA(window_, WM_TIMER, 99, 0), 0);
    EXPECT_EQ(SendMessageA(window_, MM_MCINOTIFY, 0x40, 0), 0);
    EXPECT_EQ(Playback(), PlaybackState::Playing);
    EXPECT_EQ(g_playlist->Current(), 1);
    EXPECT_EQ(OpenMciDeviceCount(), 1);
}

namespace {

LRESULT HandOver(HWND window, ULONG_PTR tag, const std::string& bytes) {
    const COPYDATASTRUCT data{tag, static_cast<DWORD>(bytes.size()), const_cast<char*>(bytes.data())};
    return SendMessageA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

}  // namespace

// Explorer opens several files as one copy per file, each handing its path over: those that come in
// quick succession make one playlist, in the order they come; one after a pause starts a new one.
TEST_F(ShellPlayback, HandOversInQuickSuccessionMakeOnePlaylistAndOneAfterAPauseReplacesIt) {
    for (const char* name : {"one.wav", "two.wav", "three.wav"}) WriteWav(media_ / name, 3000);
    EXPECT_EQ(HandOver(window_, 0x1234, std::string("abc", 4)), FALSE) << "not a hand-over";
    // A path that does not exist gives nothing, and the one after it is still taken.
    ASSERT_EQ(HandOver(window_, kOpenPathsData, std::string("Z:\\gone.wav").append(1, '\0')), TRUE);
    ASSERT_EQ(HandOver(window_, kOpenPathsData, PackHandOvers({media_ / "one.wav"})[0]), TRUE);
    ASSERT_EQ(HandOver(window_, kOpenPathsData, PackHandOvers({media_ / "two.wav"})[0]), TRUE);
    ASSERT_TRUE(PumpUntil([] { return !PathSearchesUnderWay(); }, 5000));
    EXPECT_EQ(PathsOf(*g_playlist), (std::vector<std::string>{media_ / "one.wav", media_ / "two.wav"}));
    EXPECT_EQ(g_playlist->Current(), 1);
    EXPECT_EQ(Playback(), PlaybackState::Playing);

    const DWORD lastArrival = GetTickCount();
    PumpUntil([&] { return GetTickCount() - lastArrival > 1200; }, 5000);
    ASSERT_EQ(HandOver(window_, kOpenPathsData, PackHandOvers({media_ / "three.wav"})[0]), TRUE);
    ASSERT_TRUE(PumpUntil([] { return !PathSearchesUnderWay(); }, 5000));
    EXPECT_EQ(PathsOf(*g_playlist), std::vector<std::string>{media_ / "three.wav"});
    EXPECT_EQ(Playback(), PlaybackState::Playing);
}

// A command line holds at most 32,767 characters: nothing larger, and nothing that is not full
// paths each ended by a NUL, is a hand-over.
TEST(HandOverForm, TakesOnlyWhatACommandLineCanCarry) {
    const std::string nul(1, '\0');
    EXPECT_EQ(UnpackHandOver("C:\\a.mp3" + nul + "\\\\server\\b.mp3" + nul),
              (std::vector<std::string>{"C:\\a.mp3", "\\\\server\\b.mp3"}));
    const std::vector<std::string> bad = {"", "C:\\a.mp3", "C:\\a.mp3" + nul + nul, "a.mp3" + nul,
                                          "C:\\" + std::string(kHandOverLimit, 'x') + nul};
    for (const std::string& bytes : bad) {
        EXPECT_FALSE(UnpackHandOver(bytes).has_value()) << bytes.substr(0, 40);
    }
    // What a long command line gives goes over in several hand-overs, each within the limit.
    const std::vector<std::string> many(3000, "C:\\" + std::string(100, 'p') + ".mp3");
    const std::vector<std::string> packed = PackHandOvers(many);
    ASSERT_GT(packed.size(), 1u);
    size_t paths = 0;
    for (const std::string& handOver : packed) {
        EXPECT_LE(handOver.size(), kHandOverLimit);
        paths += UnpackHandOver(handOver)->size();
    }
    EXPECT_EQ(paths, many.size());
}

TEST_F(ShellTest, AHandOverLargerThanACommandLineIsRefusedBeforeItIsRead) {
    const std::string junk(size_t{64} << 20, 'j');
    EXPECT_EQ(HandOver(window_, kOpenPathsData, junk), FALSE);
    EXPECT_FALSE(PathSearchesUnderWay());
}

// Another program (here a window of its own) can take a media key exactly while the player does not
// play; the Alt + keypad keys stay the player's throughout.
TEST_F(ShellPlayback, TheMediaKeysAreThePlayersOnlyWhileItPlays) {
    HWND other = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    auto othersCanTake = [&](UINT modifiers, UINT key) {
        const bool taken = RegisterHotKey(other, 1, modifiers, key);
        UnregisterHotKey(other, 1);
        return taken;
    };
    auto mediaKeysFree = [&] {
        for (UINT key : {VK_MEDIA_PLAY_PAUSE, VK_MEDIA_STOP, VK_MEDIA_NEXT_TRACK, VK_MEDIA_PREV_TRACK}) {
            if (!othersCanTake(0, key)) return false;
        }
        return true;
    };
    EXPECT_TRUE(mediaKeysFree()) << "at rest";
    AddWavs(2, 150);
    Command(IDM_PLAY);
    EXPECT_FALSE(othersCanTake(0, VK_MEDIA_PLAY_PAUSE)) << "while playing";
    EXPECT_FALSE(othersCanTake(0, VK_MEDIA_NEXT_TRACK));
    Hotkey(kHotkeyStop);
    EXPECT_TRUE(mediaKeysFree()) << "once stopped";
    Hotkey(kHotkeyPlay);
    EXPECT_FALSE(othersCanTake(0, VK_MEDIA_STOP));
    ASSERT_TRUE(UntilStopped()) << "the playlist did not end";
    EXPECT_TRUE(mediaKeysFree()) << "once the playlist has ended";
    EXPECT_FALSE(othersCanTake(MOD_ALT, VK_NUMPAD5));
    DestroyWindow(other);
}

// The media key Play/Pause pauses a play and plays it on from the same place; while paused the
// media keys stay the player's, a click on the icon stops, and from rest the key plays.
TEST_F(ShellPlayback, PlayPausePausesAndPlaysOnFromWhereItWas) {
    AddWavs(2, 30000);
    Hotkey(kHotkeyPlay);
    const UINT device = g_playlist->CurrentDeviceId();
    ASSERT_TRUE(PumpUntil([&] { return PositionOf(device) > 1000; }, 10000));
    Hotkey(kHotkeyPlayPause);
    ASSERT_EQ(Playback(), PlaybackState::Paused);
    EXPECT_EQ(ModeOf(device), static_cast<DWORD>(MCI_MODE_PAUSE));
    EXPECT_NE(Playback(), PlaybackState::Stopped) << "the media keys stay the player's";
    const DWORD pausedAt = PositionOf(device);
    ASSERT_TRUE(PumpUntilNoticesTaken());
    EXPECT_EQ(Playback(), PlaybackState::Paused);
    EXPECT_EQ(PositionOf(device), pausedAt);

    Hotkey(kHotkeyPlayPause);
    EXPECT_NE(Playback(), PlaybackState::Paused);
    EXPECT_EQ(Playback(), PlaybackState::Playing);
    EXPECT_EQ(ModeOf(device), static_cast<DWORD>(MCI_MODE_PLAY));
    EXPECT_GE(PositionOf(device), pausedAt) << "played on, not from the beginning";
    ASSERT_TRUE(PumpUntilNoticesTaken());
    EXPECT_EQ(g_playlist->Current(), 1) << "a notice of the paused play ended the entry";
    EXPECT_EQ(Playback(), PlaybackState::Playing);

    Hotkey(kHotkeyPlayPause);
    Tray(WM_LBUTTONUP);  // a paused entry counts as playing: the click stops it
    EXPECT_NE(Playback(), PlaybackState::Paused);
    EXPECT_EQ(Playback(), PlaybackState::Stopped);
    EXPECT_EQ(OpenMciDeviceCount(), 0);
    Hotkey(kHotkeyPlayPause);  // from rest, as a click on the icon: plays
    EXPECT_EQ(Playback(), PlaybackState::Playing);
    EXPECT_LT(PositionOf(g_playlist->CurrentDeviceId()), pausedAt);
}

// While an entry plays, the device of the entry that plays next is opened ahead. It is closed when
// the playlist is replaced, when the position moves elsewhere, when the playlist is edited so that
// it no longer leads there, when playback stops, and at Exit: no device is ever left open.
TEST_F(ShellPlayback, TheNextEntrysDeviceOpenedAheadIsClosedWhereverThePlaylistNoLongerLeadsToIt) {
    AddWavs(3, 30000);
    const std::string one = media_ / "entry1.wav", two = media_ / "entry2.wav", three = media_ / "entry3.wav";
    auto openAfterTheQueue = [] {
        PumpUntilNoticesTaken();
        PumpFor(0);  // what the commands posted themselves
        return OpenMciDeviceFiles();
    };
    auto sorted = [](std::vector<std::string> files) {
        std::sort(files.begin(), files.end());
        return files;
    };
    Command(IDM_PLAY);
    EXPECT_EQ(openAfterTheQueue(), sorted({one, two}));
    Command(IDM_PREV);  // the position moves: entry 3 plays, the last, and nothing follows it
    EXPECT_EQ(openAfterTheQueue(), sorted({three}));
    Command(IDM_NEXT);  // wraps to entry 1, which opens entry 2 ahead again
    EXPECT_EQ(openAfterTheQueue(), sorted({one, two}));
    ASSERT_EQ(g_playlist->Move(2, 1), 1);  // edited: entry 3 follows entry 1 now
    Command(IDM_LOOP);                     // any message ends with the check
    EXPECT_EQ(openAfterTheQueue(), sorted({one, three}));
    Command(IDM_STOP);
    EXPECT_TRUE(openAfterTheQueue().empty()) << "a stopped player holds no device";

    Command(IDM_PLAY);
    ASSERT_EQ(openAfterTheQueue().size(), 2u);
    auto replacement = std::make_unique<Playlist>();
    replacement->Add(two);
    ReplacePlaylist(std::move(replacement));
    EXPECT_TRUE(openAfterTheQueue().empty()) << "replaced";

    ClearPlaylist();
    AddWavs(3, 30000);
    Command(IDM_PLAY);
    ASSERT_EQ(openAfterTheQueue().size(), 2u);
    Command(IDM_EXIT);
    EXPECT_EQ(OpenMciDeviceCount(), 0) << "Exit";
}

// An end-of-play notice that comes shortly before the timer set for the entry's last sound (an MPEG
// device's does) leaves the next entry to that timer; the timer takes the end even when an edit has
// closed the next entry's device meanwhile.
TEST_F(ShellPlayback, AnEarlyEndNoticeLeavesTheNextEntryToTheTimerWhichTakesItAfterAnEdit) {
    AddWavs(3, 3000);
    Command(IDM_PLAY);
    const DWORD started = GetTickCount();
    ASSERT_TRUE(PumpUntil([] { return OpenMciDeviceCount() == 2; }, 2000)) << "nothing was opened ahead";
    // Nothing is pumped from here on, so neither the timer nor the device's own notice is taken
    // before the early one.
    while (GetTickCount() - started < 2850) {
        Sleep(5);
    }
    SendMessageA(window_, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, g_playlist->CurrentDeviceId());
    EXPECT_EQ(g_playlist->Current(), 1) << "the early notice started the next entry";
    EXPECT_EQ(Playback(), PlaybackState::Playing);
    RemoveEntry(2);
    Command(IDM_LOOP);  // any message ends with the work that closes the stale device
    EXPECT_TRUE(PumpUntil([] { return g_playlist->Current() == 2 && Playback() == PlaybackState::Playing; }, 3000))
        << "the end was lost with the closed device";
    EXPECT_EQ(g_playlist->CurrentPath(), media_ / "entry3.wav");
    Command(IDM_STOP);
}

// The playlist and its current entry come back at the next start, without playing. A kept session
// that a newer version wrote, or that cannot be read, starts the player empty and silent, and is
// written over only once the playlist changes.
TEST_F(ShellPlayback, TheKeptSessionComesBackWithoutPlayingAndAnUnknownOneIsLeftAloneUntilAChange) {
    const std::string kept = KeptSessionPath();
    AddWavs(3, 3000);
    g_playlist->SetCurrent(2);
    ASSERT_TRUE(WriteSessionFile(kept, *g_playlist));
    Command(IDM_EXIT);

    Start();
    StartSession(window_, true);
    EXPECT_EQ(PathsOf(*g_playlist),
              (std::vector<std::string>{media_ / "entry1.wav", media_ / "entry2.wav", media_ / "entry3.wav"}));
    EXPECT_EQ(g_playlist->Current(), 2);
    EXPECT_NE(Playback(), PlaybackState::Playing);
    EXPECT_EQ(OpenMciDeviceCount(), 0);
    Tray(WM_LBUTTONUP);
    EXPECT_EQ(Playback(), PlaybackState::Playing) << "a click plays the entry kept current";
    EXPECT_EQ(g_playlist->Current(), 2);
    Command(IDM_EXIT);

    for (const std::string& unknown :
         {std::string("Pipit session 2\r\ncurrent 1\r\nZ:\\a.wav\r\n"), std::string("\xff\xfe not a session")}) {
        WriteBytes(kept, unknown);
        Start();
        StartSession(window_, true);
        EXPECT_EQ(g_playlist->GetCount(), 0);
        Command(IDM_EXIT);
        EXPECT_EQ(ReadBytes(kept), unknown) << "written over without a change";
    }

    Start();
    StartSession(window_, true);
    g_playlist->Add(media_ / "entry1.wav");
    Command(IDM_PLAY);  // a change, and a message after it
    ASSERT_TRUE(PumpUntil([&] { return ReadBytes(kept).find("entry1.wav") != std::string::npos; }, 10000))
        << "the change was not kept";
    DeleteFileA(kept.c_str());
}

// A session file that another program holds without sharing its deletion (a backup or sync tool)
// is not waited for: the write fails at once and is tried again later, ever less often, while the
// tray goes on answering; once the file is let go, the change is kept.
TEST_F(ShellPlayback, AHeldSessionFileIsTriedAgainLaterAndNeverHoldsTheTray) {
    const std::string kept = KeptSessionPath();
    AddWavs(3, 30000);
    StartSession(window_, false);
    ASSERT_TRUE(WriteSessionFile(kept, *g_playlist));
    const std::string before = ReadBytes(kept);
    ScopedFile held(CreateFileA(kept.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held.Valid());
    // Another thread asks the window, as the tray does with a click, and notes the longest answer.
    std::atomic<bool> asking{true}, done{false};
    std::atomic<DWORD> longest{0};
    std::thread tray([&] {
        while (asking) {
            const DWORD start = GetTickCount();
            DWORD_PTR ignored = 0;
            SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
            longest = std::max<DWORD>(longest, GetTickCount() - start);
            Sleep(10);
        }
        done = true;
    });
    Command(IDM_NEXT);
    EXPECT_TRUE(PumpUntil([] { return SessionWritesFailedInARow() >= 2; }, 15000)) << "not tried again";
    CloseHandle(held.Take());
    EXPECT_TRUE(PumpUntil([&] { return ReadBytes(kept) != before; }, 15000))
        << "the change was not kept once the file was let go";
    asking = false;
    PumpUntil([&] { return done.load(); }, 10000);  // its last question is answered, not left waiting
    tray.join();
    // A try that waited for the file held the thread for a second each time.
    EXPECT_LT(longest.load(), 500u);
}

// The session is written a moment after a change; a long one, whose last write took long, less
// often, so that writing it takes a small share of the time; after failed writes, ever later.
TEST(SessionWriteDelay, IsAMomentLongerForALongSessionAndGrowsWithEachFailure) {
    EXPECT_EQ(SessionWriteDelay(60000, 5, 0), 2000u);
    EXPECT_EQ(SessionWriteDelay(0, 5, 0), 2000u);
    EXPECT_EQ(SessionWriteDelay(0, 250, 0), 5000u) << "a write of 250 ms: at most one in 5 s";
    EXPECT_EQ(SessionWriteDelay(4000, 250, 0), 2000u);
    EXPECT_EQ(SessionWriteDelay(0, 5, 1), 2000u);
    EXPECT_EQ(SessionWriteDelay(0, 5, 2), 4000u);
    EXPECT_EQ(SessionWriteDelay(0, 5, 3), 8000u);
    EXPECT_EQ(SessionWriteDelay(0, 5, 50), 60000u);
}

namespace {

// A running player that takes the first hand-over and then no more, as one that stops answering
// part-way would.
int g_handOversTaken = 0;
LRESULT CALLBACK TakesOneHandOver(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) return g_handOversTaken++ == 0 ? TRUE : FALSE;
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

// A copy whose paths the running player took only in part says which it did not take, and ends with
// an exit code of its own.
TEST(HandOverForm, APlayerThatTakesOnlyPartSaysWhichPathsWereNotOpened) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = TakesOneHandOver;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "PipitTestTakesOne";
    RegisterClassA(&windowClass);
    HWND player =
        CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    std::vector<std::string> paths;
    for (int i = 0; i < 2000; ++i) paths.push_back("C:\\" + std::string(100, 'p') + std::to_string(i) + ".mp3");
    g_handOversTaken = 0;
    const HandedOver part = HandOverPaths(player, paths);
    EXPECT_GT(part.taken, 0u);
    EXPECT_LT(part.taken, 1500u);
    EXPECT_EQ(part.paths, paths.size());
    const std::string text = HandOverRefusedText(part, paths);
    EXPECT_NE(text.find(std::to_string(part.taken) + " of the 2000 files were opened"), std::string::npos) << text;
    EXPECT_NE(text.find(paths[part.taken] + "\n"), std::string::npos) << "the first not taken is named";
    EXPECT_EQ(text.find(paths[part.taken - 1] + "\n"), std::string::npos) << "the last taken is named";
    EXPECT_NE(text.find("and " + std::to_string(2000 - part.taken - 5) + " more"), std::string::npos) << text;

    g_handOversTaken = 1;  // takes none
    const HandedOver none = HandOverPaths(player, paths);
    EXPECT_EQ(none.taken, 0u);
    EXPECT_NE(HandOverRefusedText(none, paths).find("were not opened"), std::string::npos);
    EXPECT_TRUE(HandOverPaths(player, {}).All()) << "no paths: nothing to refuse";
    DestroyWindow(player);
}

// Explorer starts a copy for each of several files opened at once; each hands its file over, often
// only once the one before has been taken and no search runs any more. Within a second of each
// other they still make one playlist.
TEST_F(ShellPlayback, HandOversEachTakenBeforeTheNextComesMakeOnePlaylist) {
    for (const char* name : {"one.wav", "two.wav"}) WriteWav(media_ / name, 30000);
    for (const char* name : {"one.wav", "two.wav"}) {
        ASSERT_EQ(HandOver(window_, kOpenPathsData, PackHandOvers({media_ / name})[0]), TRUE);
        ASSERT_TRUE(PumpUntil([] { return !PathSearchesUnderWay(); }, 5000));
    }
    EXPECT_EQ(PathsOf(*g_playlist), (std::vector<std::string>{media_ / "one.wav", media_ / "two.wav"}));
    EXPECT_EQ(g_playlist->Current(), 1);
}

// A hand-over that replaces what plays closes the device opened ahead for the old playlist: a
// device is never left open behind the player.
TEST_F(ShellPlayback, AHandOverThatReplacesThePlaylistLeavesNoDeviceOfTheOldOneOpen) {
    AddWavs(3, 30000);
    const std::string other = media_ / "other.wav";
    WriteWav(other, 30000);
    Command(IDM_PLAY);
    ASSERT_TRUE(PumpUntil([] { return OpenMciDeviceCount() == 2; }, 5000)) << "nothing was opened ahead";
    ASSERT_EQ(HandOver(window_, kOpenPathsData, PackHandOvers({other})[0]), TRUE);
    ASSERT_TRUE(PumpUntil([] { return !PathSearchesUnderWay(); }, 5000));
    PumpUntilNoticesTaken();
    PumpFor(0);
    EXPECT_EQ(OpenMciDeviceFiles(), std::vector<std::string>{other});
    Command(IDM_STOP);
}

// Where the next entry's device is ready, a timer set from the entry's length starts it as the entry
// that plays ends: that entry goes on to its very end, and its own end notice, naming its device or
// none (as an MPEG device sends it), then moves nothing.
TEST_F(ShellPlayback, TheNextEntryStartsAsTheOneThatPlaysEndsAndThatOnesNoticeMovesNothing) {
    AddWavs(3, 30000);
    Command(IDM_PLAY);
    const UINT ending = g_playlist->CurrentDeviceId();
    ASSERT_TRUE(PumpUntil([] { return OpenMciDeviceCount() == 2; }, 5000)) << "nothing was opened ahead";
    SendMessageA(window_, WM_TIMER, kNextPlayTimer, 0);  // as it comes at the entry's end
    EXPECT_EQ(g_playlist->Current(), 2);
    EXPECT_EQ(Playback(), PlaybackState::Playing);
    EXPECT_EQ(ModeOf(ending), static_cast<DWORD>(MCI_MODE_PLAY)) << "the ending entry was cut off";
    SendMessageA(window_, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, ending);
    SendMessageA(window_, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, 0);
    EXPECT_EQ(g_playlist->Current(), 2) << "the notice of the entry before moved on again";
    EXPECT_EQ(ModeOf(g_playlist->CurrentDeviceId()), static_cast<DWORD>(MCI_MODE_PLAY));
    Command(IDM_STOP);
    EXPECT_EQ(OpenMciDeviceCount(), 0);
}

// Shuffle, in the menu after Loop: checked when on, kept as the DWORD value 1 (deleted when off) and
// read at start. On, the entries play in rounds of a random order, Previous goes back along it; off,
// play goes on in the list's order from the current entry.
TEST_F(ShellPlayback, ShuffleIsKeptAndPlaysEveryEntryOnceARoundWhilePreviousRetracesIt) {
    AddWavs(5, 30000);
    Command(IDM_SHUFFLE);
    EXPECT_TRUE(MenuChecked(IDM_SHUFFLE));
    EXPECT_EQ(ReadRegistryValue(kLoopKey, "Shuffle").data, std::string("\1\0\0\0", 4));
    Command(IDM_PLAY);
    std::vector<int> round = {g_playlist->Current()};
    for (int i = 0; i < 4; ++i) {
        Hotkey(kHotkeyNext);
        round.push_back(g_playlist->Current());
    }
    std::vector<int> sorted = round;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<int>{1, 2, 3, 4, 5})) << "a round plays each entry once";
    Hotkey(kHotkeyPrevious);
    EXPECT_EQ(g_playlist->Current(), round[3]) << "Previous goes back to the entry heard before";
    Hotkey(kHotkeyNext);
    EXPECT_EQ(g_playlist->Current(), round[4]);
    Hotkey(kHotkeyNext);  // a new round, which does not begin with the entry just heard
    EXPECT_NE(g_playlist->Current(), round[4]);
    EXPECT_EQ(Playback(), PlaybackState::Playing);

    Command(IDM_SHUFFLE);
    EXPECT_FALSE(MenuChecked(IDM_SHUFFLE));
    EXPECT_EQ(ReadRegistryValue(kLoopKey, "Shuffle").type, static_cast<DWORD>(REG_NONE));
    const int from = g_playlist->Current();
    Hotkey(kHotkeyNext);
    EXPECT_EQ(g_playlist->Current(), from % 5 + 1) << "the list's order again";
    Command(IDM_STOP);

    Command(IDM_SHUFFLE);
    Command(IDM_EXIT);
    Start();
    EXPECT_TRUE(MenuChecked(IDM_SHUFFLE)) << "read at start";
    EXPECT_EQ(g_shuffle, 1);
    DeleteRegistryValue(kLoopKey, "Shuffle");
}

// The volume of Pipit's own, in the Volume submenu and with Alt + keypad + and -, in steps of 10 %:
// kept as the DWORD value "Volume" and read at start, held within 0 and 100 %; at 0 % the entry plays
// on, silent.
TEST_F(ShellPlayback, TheVolumeIsSteppedHeldWithinItsRangeKeptAndReadAtStart) {
    AddWavs(2, 30000);
    Command(IDM_PLAY);
    EXPECT_TRUE(MenuChecked(IDM_VOLUME_100));
    Hotkey(kHotkeyVolumeUp);
    EXPECT_EQ(g_volume, 100) << "no louder than 100 %";
    Command(VolumeCommand(50));
    EXPECT_EQ(g_volume, 50);
    EXPECT_TRUE(MenuChecked(VolumeCommand(50)));
    EXPECT_FALSE(MenuChecked(IDM_VOLUME_100));
    EXPECT_EQ(ReadRegistryValue(kLoopKey, "Volume").data, std::string("\x32\0\0\0", 4));
    for (int i = 0; i < 7; ++i) Hotkey(kHotkeyVolumeDown);
    EXPECT_EQ(g_volume, 0) << "no softer than 0 %";
    EXPECT_EQ(Playback(), PlaybackState::Playing);
    EXPECT_EQ(ModeOf(g_playlist->CurrentDeviceId()), static_cast<DWORD>(MCI_MODE_PLAY)) << "it plays on, silent";
    Hotkey(kHotkeyVolumeUp);
    EXPECT_EQ(g_volume, 10);
    Command(IDM_EXIT);
    Start();
    EXPECT_EQ(g_volume, 10) << "read at start";
    EXPECT_TRUE(MenuChecked(IDM_VOLUME_10));
    for (const std::string& stored : {std::string("\x65\0\0\0", 4), std::string("loud")}) {
        Command(IDM_EXIT);
        WriteRegistryValue(kLoopKey, "Volume", stored.size() == 4 ? REG_DWORD : REG_SZ, stored);
        Start();
        EXPECT_EQ(g_volume, 100) << "a value out of range, or of another type";
    }
    Command(VolumeCommand(100));
    DeleteRegistryValue(kLoopKey, "Volume");
}

// The position in the current entry is kept at Stop (and Pause, Exit, and every while as it plays):
// after a restart, Play goes on from there; Stop and Play then start it from its beginning, as do
// Next and the others.
TEST_F(ShellPlayback, AfterARestartPlayGoesOnWhereTheEntryWasLeft) {
    AddWavs(2, 30000);
    StartSession(window_, false);
    Command(IDM_PLAY);
    const UINT device = g_playlist->CurrentDeviceId();
    ASSERT_TRUE(PumpUntil([&] { return PositionOf(device) > 3000; }, 10000));
    Command(IDM_STOP);
    ASSERT_TRUE(PumpUntil([] { return ReadSessionFile(KeptSessionPath()).positionMs > 3000; }, 10000))
        << "the position was not kept at Stop";
    Command(IDM_EXIT);

    Start();
    StartSession(window_, true);
    const DWORD position = ReadSessionFile(KeptSessionPath()).positionMs;
    Command(IDM_PLAY);
    EXPECT_GE(PositionOf(g_playlist->CurrentDeviceId()) + 1000, position) << "not where it was left";
    EXPECT_LE(PositionOf(g_playlist->CurrentDeviceId()), position + 1000);
    Command(IDM_STOP);
    Command(IDM_PLAY);
    EXPECT_LT(PositionOf(g_playlist->CurrentDeviceId()), 1000u) << "Stop and Play start it afresh";
    Command(IDM_EXIT);

    Start();
    StartSession(window_, true);
    Hotkey(kHotkeyNext);
    EXPECT_LT(PositionOf(g_playlist->CurrentDeviceId()), 1000u) << "Next starts its entry from the beginning";
}

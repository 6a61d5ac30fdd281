// What the tray icon is told, through a recorder in place of the notification area.
#include "tests/RecordingTray.h"
#include "tests/ShellTestSupport.h"
#include "tests/TestSupport.h"

#include "app/Playing.h"
#include "app/TrayIcon.h"

#include <mmsystem.h>

#include <cstdlib>
#include "resources/resource.h"

using namespace shell_test;

namespace {

class TrayTip : public ShellTest {
protected:
    void SetUp() override {
        g_recordingTray = RecordingTray{};
        ShellTest::SetUp();
    }
    const TrayCall& Last() const { return g_recordingTray.calls.back(); }
};

}  // namespace

TEST_F(TrayTip, StartUpAddsTheIconWithTheProgramsName) {
    ASSERT_EQ(g_recordingTray.calls.size(), 1u);
    const TrayCall& add = g_recordingTray.calls[0];
    EXPECT_EQ(add.message, static_cast<DWORD>(NIM_ADD));
#ifdef _WIN64
    static_assert(NOTIFYICONDATAA_V1_SIZE == 104);
#else
    static_assert(NOTIFYICONDATAA_V1_SIZE == 88);
#endif
    EXPECT_EQ(add.data.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
    EXPECT_EQ(add.data.hWnd, window_);
    EXPECT_EQ(add.data.uID, 102u);
    EXPECT_EQ(add.data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(add.data.uCallbackMessage, 0x81C2u);
    EXPECT_NE(add.data.hIcon, nullptr);
    EXPECT_EQ(add.Tip(), "Pipit");
}

// Run as it is (96 dots per inch: 16 pixels), and at 144 dots per inch by a ctest entry of its own
// that names the size it expects in PIPIT_SMALL_ICON_SIZE.
TEST_F(TrayTip, TheIconHandedToTheTrayIsLoadedAtTheSystemsSmallIconSize) {
    const char* expected = std::getenv("PIPIT_SMALL_ICON_SIZE");
    const int size = expected ? std::atoi(expected) : 16;
    ASSERT_EQ(GetSystemMetrics(SM_CXSMICON), size) << "the display scaling is not the one expected";
    auto width = [](HICON icon) {
        ICONINFO info{};
        BITMAP bitmap{};
        if (GetIconInfo(icon, &info)) {
            GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
        }
        return static_cast<int>(bitmap.bmWidth);
    };
    EXPECT_EQ(width(g_recordingTray.calls[0].data.hIcon), size);
    SendMessageA(window_, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_EQ(width(Last().data.hIcon), size) << "loaded again for the new taskbar";
}

TEST_F(TrayTip, ShowsTheFullPathAfterAPlayAndNothingForAnEmptyPlaylist) {
    Command(IDM_PLAY);
    EXPECT_EQ(Last().message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(Last().Tip(), "");

    g_playlist->Add("C:\\Music\\gone.wav");
    Command(IDM_PLAY);
    EXPECT_EQ(Last().Tip(), "C:\\Music\\gone.wav");
    // The same icon handle every time: loaded once, not once per tip.
    EXPECT_EQ(Last().data.hIcon, g_recordingTray.calls[0].data.hIcon);

    const size_t before = g_recordingTray.calls.size();
    Command(IDM_STOP);  // the tip is not reset when playback stops
    EXPECT_EQ(g_recordingTray.calls.size(), before);

    // Past an entry that cannot play, the tip names the one that plays.
    if (!PIPIT_HAVE_FIXTURES) return;
    g_playlist->Add(Fixture("short.wav"));
    Command(IDM_PLAY);
    ASSERT_TRUE(PumpUntil([] { return Playback() != PlaybackState::Searching; }, 10000));
    EXPECT_EQ(Last().Tip(), TrayTipText(Fixture("short.wav"), GetACP()));
    Command(IDM_STOP);
}

TEST_F(TrayTip, APausedEntryIsShownAsPausedInFrontOfItsPathAndPlayingOnShowsThePathAlone) {
    SKIP_WITHOUT_FIXTURES();
    g_playlist->Add(Fixture("long.wav"));
    Command(IDM_PLAY);
    Hotkey(kHotkeyPlayPause);
    const std::string tip = Last().Tip();
    ASSERT_LE(tip.size(), 63u);
    EXPECT_EQ(tip.substr(0, 8), "Paused: ");
    EXPECT_EQ(tip.substr(tip.size() - 8), "long.wav");
    Hotkey(kHotkeyPlayPause);
    EXPECT_EQ(Last().Tip(), TrayTipText(Fixture("long.wav"), GetACP()));
    Command(IDM_STOP);
}

TEST_F(TrayTip, LongPathsKeepTheirEndBehindAnEllipsis) {
    const std::string path = "C:\\Music\\" + std::string(80, 'a') + "\\The Final Song.mp3";
    g_playlist->Add(path);
    Command(IDM_PLAY);
    const std::string tip = Last().Tip();
    EXPECT_EQ(tip.size(), 63u);
    EXPECT_EQ(tip, "..." + path.substr(path.size() - 60));
}

// The tip's text alone, without the shell.
TEST(TrayTipText, KeepsWhatFitsWholeAndCutsLongerTextsBetweenCharacters) {
    const std::string fits(63, 'x');
    EXPECT_EQ(TrayTipText(fits, 1252), fits);
    EXPECT_EQ(TrayTipText(fits + "y", 1252), "..." + std::string(59, 'x') + "y");
    // 70 bytes of two-byte characters in code page 932 after "C:": an even cut keeps whole characters.
    std::string path = "C:";
    for (int i = 0; i < 35; ++i) path += "\x82\xa0";
    path += ".mp3";
    const std::string tip = TrayTipText(path, 932);
    ASSERT_LE(tip.size(), 63u);
    EXPECT_EQ(tip.substr(0, 3), "...");
    EXPECT_EQ(tip.substr(3, 2), "\x82\xa0");
    // One byte more at the end: the cut falls on a trail byte, and the whole character after it is kept.
    const std::string odd = TrayTipText(path + "3", 932);
    EXPECT_EQ(odd.size(), 62u);
    EXPECT_EQ(odd.substr(3, 2), "\x82\xa0");
    // In UTF-8, no continuation byte may start the kept end.
    std::string utf8 = "C:\\";
    for (int i = 0; i < 30; ++i) utf8 += "\xce\xb1";  // Greek alpha
    const std::string utf8Tip = TrayTipText(utf8 + ".mp3", CP_UTF8);
    ASSERT_LE(utf8Tip.size(), 63u);
    EXPECT_EQ(utf8Tip.substr(3, 2), "\xce\xb1");
}

TEST_F(TrayTip, TaskbarCreatedAddsTheIconAgainWithTheCurrentTip) {
    g_playlist->Add("C:\\Music\\gone.wav");
    Command(IDM_PLAY);
    SendMessageA(window_, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_EQ(Last().message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(Last().Tip(), "C:\\Music\\gone.wav");

    g_recordingTray.addAnswer = FALSE;  // the icon survived: it is changed instead
    SendMessageA(window_, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_EQ(Last().message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(Last().Tip(), "C:\\Music\\gone.wav");
}

namespace {

int Removals() {
    int removals = 0;
    for (const TrayCall& call : g_recordingTray.calls) {
        if (call.message == NIM_DELETE) {
            ++removals;
            EXPECT_EQ(call.data.uID, 102u);
            EXPECT_EQ(call.data.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
        }
    }
    return removals;
}

}  // namespace

TEST_F(TrayTip, AWindowClosedFromOutsideTakesItsIconAlong) {
    SendMessageA(window_, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window_));
    EXPECT_EQ(Removals(), 1);
}

// A close that another program sends while the tray is being told of a play is handled inside the
// command that plays. The command goes on with the playlist it had, and nothing plays afterwards.
TEST_F(TrayTip, ACloseHandledWhileTheTrayIsToldOfAPlayFreesNothingUnderTheCommand) {
    SKIP_WITHOUT_FIXTURES();
    const std::vector<std::pair<const char*, std::function<void(HWND)>>> commands = {
        {"Play", [](HWND window) { SendMessageA(window, WM_COMMAND, IDM_PLAY, 0); }},
        {"Next", [](HWND window) { SendMessageA(window, WM_HOTKEY, kHotkeyNext, 0); }},
        {"the end of an entry",
         [](HWND window) { SendMessageA(window, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, g_playlist->CurrentDeviceId()); }},
    };
    for (const auto& [name, command] : commands) {
        SCOPED_TRACE(name);
        if (!IsWindow(window_)) Start();
        // The current entry cannot play, so the command goes on to look for one that can.
        for (const std::string& path : {Fixture("long.wav"), std::string("Z:\\gone.wav"), Fixture("short.wav")}) {
            g_playlist->Add(path);
        }
        g_playlist->SetCurrent(2);
        if (std::string(name) == "the end of an entry") {
            g_playlist->SetCurrent(1);
            Command(IDM_PLAY);
        }
        g_recordingTray.calls.clear();
        const HWND window = window_;
        bool closed = false;
        g_recordingTray.duringNextTip = [window, &closed] {
            closed = true;
            SendMessageA(window, WM_CLOSE, 0, 0);
            EXPECT_NE(g_playlist, nullptr) << "freed while the command still runs";
        };
        command(window);
        EXPECT_TRUE(closed);
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(Removals(), 1);
        EXPECT_EQ(g_playlist, nullptr);
        EXPECT_EQ(OpenMciDeviceCount(), 0);
        MSG quit;
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
}

// A pause that ends without playing on (Stop, Clear, the paused entry taken out, a new playlist)
// takes "Paused:" out of the tip: the tip then names what is current, as after any stop.
TEST_F(TrayTip, APausedTipDoesNotOutliveThePause) {
    SKIP_WITHOUT_FIXTURES();
    const std::string first = Fixture("long.wav"), second = Fixture("medium.wav");
    auto pausedOnFirst = [&] {
        ClearPlaylist();
        g_playlist->Add(first);
        g_playlist->Add(second);
        Command(IDM_PLAY);
        Hotkey(kHotkeyPlayPause);
        ASSERT_EQ(Last().Tip().substr(0, 8), "Paused: ");
    };
    pausedOnFirst();
    Command(IDM_STOP);
    EXPECT_EQ(Last().Tip(), TrayTipText(first, GetACP())) << "Stop";

    pausedOnFirst();
    Hotkey(kHotkeyMediaStop);
    EXPECT_EQ(Last().Tip(), TrayTipText(first, GetACP())) << "the Stop key";

    pausedOnFirst();
    {
        const HandlerScope inTheDialog;  // Delete in the Playlist dialog
        RemoveEntry(1);
    }
    EXPECT_EQ(Last().Tip(), TrayTipText(second, GetACP())) << "the paused entry taken out";

    for (const bool clear : {true, false}) {
        pausedOnFirst();
        {
            const HandlerScope inACommand;
            if (clear) {
                ClearPlaylist();
            } else {
                auto loaded = std::make_unique<Playlist>();
                loaded->Add(second);
                ReplacePlaylist(std::move(loaded));
            }
        }
        EXPECT_EQ(Last().Tip().find("Paused"), std::string::npos) << (clear ? "Clear" : "a new playlist");
    }
}

// Entries taken out or moved while a command looks for an entry that plays: the search goes on for
// the entry it was meant for, wherever the edit left it. The tip names that entry throughout, and
// when the search is stopped that entry is current again.
TEST_F(TrayTip, EditsDuringASearchForAPlayableEntryKeepTheTipAndTheCurrentEntryInAgreement) {
    for (int i = 0; i < 100000; ++i) g_playlist->Add("Z:\\nowhere\\missing" + std::to_string(i) + ".wav");
    auto edited = [](const std::function<void()>& edit) {
        const HandlerScope inTheDialog;
        edit();
    };
    g_playlist->SetCurrent(3);
    Command(IDM_PLAY);
    ASSERT_EQ(Playback(), PlaybackState::Searching);
    const std::string meant = "Z:\\nowhere\\missing2.wav";
    ASSERT_EQ(Last().Tip(), meant);
    edited([] { RemoveEntry(1); });
    edited([] { MoveEntry(2, -1); });
    EXPECT_EQ(Last().Tip(), meant);
    Hotkey(kHotkeyStop);
    EXPECT_EQ(g_playlist->CurrentPath(), meant) << "another entry is current than the tip names";
    EXPECT_EQ(g_playlist->Current(), 1);

    Command(IDM_PLAY);  // meant: the first, which is then taken out
    ASSERT_EQ(Playback(), PlaybackState::Searching);
    edited([] { RemoveEntry(1); });
    const std::string after = "Z:\\nowhere\\missing1.wav";
    EXPECT_EQ(Last().Tip(), after) << "the tip names an entry taken out";
    Hotkey(kHotkeyStop);
    EXPECT_EQ(g_playlist->CurrentPath(), after);
    EXPECT_EQ(Last().Tip(), after);
    EXPECT_EQ(OpenMciDeviceCount(), 0);
}

// A change of the volume shows it in the tip for a moment; then the tip shows again what it showed,
// or what it was told to show meanwhile.
TEST_F(TrayTip, TheVolumeShowsInTheTipForAMomentAndThenWhatItShowedBefore) {
    g_playlist->Add("C:\\Music\\gone one.wav");
    g_playlist->Add("C:\\Music\\gone two.wav");
    Command(IDM_PLAY);
    Hotkey(kHotkeyVolumeDown);
    EXPECT_EQ(Last().Tip(), "Volume: 90 %");
    SendMessageA(window_, WM_TIMER, kTipMessageTimer, 0);
    EXPECT_EQ(Last().Tip(), "C:\\Music\\gone one.wav");
    Hotkey(kHotkeyVolumeUp);
    EXPECT_EQ(Last().Tip(), "Volume: 100 %");
    Command(IDM_NEXT);
    EXPECT_EQ(Last().Tip(), "Volume: 100 %") << "the moment is the volume's";
    SendMessageA(window_, WM_TIMER, kTipMessageTimer, 0);
    EXPECT_EQ(Last().Tip(), "C:\\Music\\gone two.wav");
}

// A seeded random walk of what a user does, over the real main window, its Playlist dialog, its file
// choosers, real MCI and real second copies of the player handing files over: a few hundred actions
// in any order, and after each, the player answers; after every few, what it shows agrees with what
// it holds. PIPIT_WALK_SEED and PIPIT_WALK_STEPS choose another walk (scripts/soak.sh runs many).
#include "tests/DialogTestSupport.h"
#include "tests/RecordingTray.h"
#include "tests/ShellTestSupport.h"
#include "tests/TestSupport.h"

#include <atomic>
#include <cstdlib>
#include <deque>
#include <random>
#include <sstream>
#include <thread>

#include "app/Playing.h"
#include "app/TrayIcon.h"
#include "playback/PathSearch.h"
#include "resources/resource.h"

using namespace shell_test;

namespace {

constexpr unsigned kDefaultSeed = 20261208;
constexpr int kDefaultSteps = 250;
constexpr UINT kTickMs = 15;
constexpr size_t kActionsKept = 20;

unsigned EnvironmentNumber(const char* name, unsigned fallback) {
    const char* value = std::getenv(name);
    return value && *value ? static_cast<unsigned>(std::strtoul(value, nullptr, 10)) : fallback;
}

// A file chooser that the main window opened.
HWND FindChooser(HWND owner) {
    for (HWND window = FindWindowExA(nullptr, nullptr, "#32770", nullptr); window;
         window = FindWindowExA(nullptr, window, "#32770", nullptr)) {
        char title[64] = "";
        GetWindowTextA(window, title, sizeof title);
        if (GetWindow(window, GW_OWNER) == owner && IsWindowVisible(window) && lstrcmpA(title, "Pipit Playlist") != 0) {
            return window;
        }
    }
    return nullptr;
}

std::string NameOf(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

class Walk {
public:
    Walk(HWND window, unsigned seed, int steps, const TempFolder& media)
        : window_(window), seed_(seed), stepsLeft_(steps), random_(seed), media_(media) {
        for (int i = 0; i < 6; ++i) {
            std::string name = "w";  // built in steps: GCC sees a false overlap in "w" + ...
            name += std::to_string(i);
            files_.push_back(media / (name + ".wav"));
            WriteWav(files_.back(), i % 2 ? 30000 : 150);  // some end at once, some go on
        }
        files_.push_back(media / "gone.wav");  // never made: passed over wherever it comes
        files_.push_back(media / "noise.wav");
        WriteBytes(files_.back(), std::string(4000, 'x'));  // no device opens it
        CreateDirectoryA((media / "folder").c_str(), nullptr);
        for (int i = 0; i < 4; ++i) WriteWav(media / "folder" + "\\f" + std::to_string(i) + ".wav", 150);
        WriteBytes(media / "one.ppl", files_[1] + "\r\n" + files_[2] + "\r\n" + files_[3] + "\r\n");
        WriteBytes(media / "two.m3u", "#EXTM3U\r\n" + files_[4] + "\r\n" + files_[6] + "\r\n");
    }

    bool Done() const { return stepsLeft_ <= 0 && !Pending(); }

    void Tick() {
        if (ticking_) return;  // an action's message loop runs the timer too
        ticking_ = true;
        if (!Settled()) {
            ticking_ = false;
            return;
        }
        if (stepsLeft_ > 0) {
            --stepsLeft_;
            Act();
            if (stepsLeft_ % 5 == 0) checkDue_ = true;
        }
        if (checkDue_ && !Pending()) {
            checkDue_ = false;
            Check();
        }
        // The walk ends with the dialog closed: the loop that waits for its end runs outside it.
        if (stepsLeft_ <= 0 && !Pending() && Dialog()) PostMessageA(Dialog(), WM_COMMAND, IDCANCEL, 0);
        ticking_ = false;
    }

    std::string Replay() const {
        std::ostringstream text;
        text << "replay with PIPIT_WALK_SEED=" << seed_ << "; the last actions:";
        for (const std::string& action : actions_) text << "\n  " << action;
        return text.str();
    }

private:
    int Pick(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random_); }
    const std::string& AnyFile() { return files_[static_cast<size_t>(Pick(static_cast<int>(files_.size())))]; }
    HWND Dialog() const { return FindWindowA("#32770", "Pipit Playlist"); }
    HWND List() const { return GetDlgItem(Dialog(), IDC_PLAYLIST); }
    HWND Chooser() const { return FindChooser(window_); }

    void Note(const std::string& action) {
        actions_.push_back(std::to_string(step_++) + ": " + action);
        if (actions_.size() > kActionsKept) actions_.pop_front();
    }

    bool Pending() const { return viewAsked_ || chooserText_.size() || copyRunning() || PathSearchesUnderWay(); }
    bool copyRunning() const { return copy_ && WaitForSingleObject(copy_, 0) == WAIT_TIMEOUT; }

    // What an earlier action still waits for: the dialog to come up, a file chooser to be answered.
    bool Settled() {
        if (viewAsked_) {
            if (!Dialog()) return false;
            viewAsked_ = false;
        }
        if (!chooserText_.empty()) {
            HWND chooser = Chooser();
            if (!chooser) return false;
            HWND name = GetDlgItem(chooser, 0x480);  // the "File name" box
            if (!name) name = GetDlgItem(chooser, 0x47C);
            SetWindowTextA(name, chooserText_.c_str());
            PostMessageA(chooser, WM_COMMAND, IDOK, 0);
            chooserText_.clear();
            return false;
        }
        if (copy_ && !copyRunning()) {
            CloseHandle(copy_);
            copy_ = nullptr;
        }
        return true;
    }

    void Act() {
        HWND dialog = Dialog();
        switch (Pick(17)) {
            case 0:
                Note("Play");
                SendMessageA(window_, WM_COMMAND, IDM_PLAY, 0);
                break;
            case 1:
                Note("Stop");
                SendMessageA(window_, WM_COMMAND, IDM_STOP, 0);
                break;
            case 2:
                Note("Next");
                SendMessageA(window_, WM_HOTKEY, kHotkeyNext, 0);
                break;
            case 3:
                Note("Previous");
                SendMessageA(window_, WM_COMMAND, IDM_PREV, 0);
                break;
            case 4:
                Note("Play/Pause");
                SendMessageA(window_, WM_HOTKEY, kHotkeyPlayPause, 0);
                break;
            case 5:
                Note("Loop");
                SendMessageA(window_, WM_COMMAND, IDM_LOOP, 0);
                break;
            case 6:
                Note("left click");
                SendMessageA(window_, WM_TRAYNOTIFY, kTrayIconId, WM_LBUTTONUP);
                break;
            case 7:
                if (dialog) {
                    Note("close the dialog");
                    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                } else {
                    Note("View");
                    PostMessageA(window_, WM_COMMAND, IDM_PLAYLIST_VIEW, 0);
                    viewAsked_ = true;
                }
                break;
            case 8:
            case 9:
            case 10: ActInDialog(dialog); break;
            case 11: {
                std::vector<std::string> dropped;
                if (Pick(3) == 0) {
                    dropped.push_back(media_ / "folder");
                } else {
                    for (int n = Pick(3) + 1; n > 0; --n) dropped.push_back(AnyFile());
                }
                if (!dialog) break;
                Note("drop of " + std::to_string(dropped.size()) + ", the first " + NameOf(dropped[0]));
                SendMessageA(dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(dropped)), 0);
                break;
            }
            case 12: HandOver(); break;
            case 13:
                Note("Load");
                PostMessageA(window_, WM_COMMAND, IDM_PLAYLIST_LOAD, 0);
                chooserText_ = Pick(2) ? media_ / "one.ppl" : media_ / "two.m3u";
                break;
            case 14:
                Note("Select Media Files");
                PostMessageA(window_, WM_COMMAND, IDM_SELECT_MEDIA, 0);
                chooserText_ = files_[static_cast<size_t>(Pick(6))];
                break;
            default: Note("a moment"); break;
        }
    }

    void ActInDialog(HWND dialog) {
        if (!dialog) return;
        HWND list = List();
        const int rows = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        const int row = rows > 0 ? Pick(rows + 1) - 1 : -1;  // -1: no row chosen
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
        switch (Pick(5)) {
            case 0:
                Note("double-click on row " + std::to_string(row));
                SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PLAYLIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
                break;
            case 1:
                Note("Delete on row " + std::to_string(row));
                SendMessageA(list, WM_KEYDOWN, VK_DELETE, 0);
                break;
            case 2:
            case 3:
                Note(std::string("Alt + ") + (Pick(2) ? "Up" : "Down") + " on row " + std::to_string(row));
                SendMessageA(list, WM_SYSKEYDOWN, Pick(2) ? VK_UP : VK_DOWN, 1 << 29);
                break;
            default:
                Note("Clear");
                SendMessageA(GetDlgItem(dialog, IDC_CLEAR), BM_CLICK, 0, 0);
                break;
        }
    }

    // A second copy started with files, as Explorer starts one: it hands them to this player.
    void HandOver() {
        if (copy_) return;
        std::string commandLine = "\"" PIPIT_EXE "\"";
        const int count = Pick(2) + 1;
        for (int i = 0; i < count; ++i) commandLine += " \"" + AnyFile() + "\"";
        Note("a second copy with " + std::to_string(count) + " files");
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                           &process)) {
            CloseHandle(process.hThread);
            copy_ = process.hProcess;
        }
    }

    void Check() {
        SCOPED_TRACE(Replay());
        const PlaybackState state = Playback();
        EXPECT_EQ(PlayerHoldsMediaKeys(), state != PlaybackState::Stopped) << "the media keys";
        EXPECT_EQ(MediaKeysFree(), state == PlaybackState::Stopped) << "the media keys";
        EXPECT_LE(OpenMciDeviceCount(), 3);
        EXPECT_GE(g_playlist->Current(), 0);
        EXPECT_LE(g_playlist->Current(), g_playlist->GetCount());
        if (state != PlaybackState::Searching && g_playlist->Current() != 0) {
            const std::string_view prefix = state == PlaybackState::Paused ? "Paused: " : "";
            const std::string tip =
                std::string(prefix) + TrayTipText(g_playlist->CurrentPath(), GetACP(), 63 - prefix.size());
            EXPECT_EQ(g_recordingTray.calls.back().Tip(), tip) << "the tip";
        }
        if (HWND dialog = Dialog()) {
            // The playlist as the player saves it.
            const std::string saved = media_ / "saved.ppl";
            g_playlist->Save(saved);
            std::vector<std::string> names;
            std::istringstream lines(ReadBytes(saved));
            for (std::string line; std::getline(lines, line);) names.push_back(NameOf(line.substr(0, line.size() - 1)));
            EXPECT_EQ(ListItems(GetDlgItem(dialog, IDC_PLAYLIST)), names) << "the Playlist dialog";
            const int selected = static_cast<int>(SendMessageA(GetDlgItem(dialog, IDC_PLAYLIST), LB_GETCURSEL, 0, 0));
            EXPECT_GE(selected, -1);
            EXPECT_LT(selected, static_cast<int>(names.size()));
        }
        if (::testing::Test::HasFailure()) stepsLeft_ = 0;  // the walk that failed is the one to replay
    }

    HWND window_;
    unsigned seed_;
    int stepsLeft_;
    int step_ = 0;
    std::mt19937 random_;
    const TempFolder& media_;
    std::vector<std::string> files_;
    std::deque<std::string> actions_;
    bool ticking_ = false;
    bool checkDue_ = false;
    bool viewAsked_ = false;
    std::string chooserText_;
    HANDLE copy_ = nullptr;
};

Walk* g_walk = nullptr;

void CALLBACK TakeAStep(HWND, UINT, UINT_PTR, DWORD) { g_walk->Tick(); }

}  // namespace

TEST_F(ShellTest, ARandomWalkOfUserActionsKeepsWhatThePlayerShowsTrueToWhatItHolds) {
    TempFolder media;
    const unsigned seed = EnvironmentNumber("PIPIT_WALK_SEED", kDefaultSeed);
    Walk walk(window_, seed, static_cast<int>(EnvironmentNumber("PIPIT_WALK_STEPS", kDefaultSteps)), media);
    g_walk = &walk;
    // Another thread knocks as the tray does: the player must answer throughout.
    std::atomic<bool> knocking{true};
    std::atomic<bool> answered{true}, done{false};
    std::thread knocker([&] {
        while (knocking) {
            DWORD_PTR ignored = 0;
            if (!SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored)) answered = false;
            Sleep(50);
        }
        done = true;
    });
    const UINT_PTR timer = SetTimer(nullptr, 0, kTickMs, TakeAStep);
    EXPECT_TRUE(PumpUntil([&] { return walk.Done() || !answered; }, 600000)) << walk.Replay();
    KillTimer(nullptr, timer);
    knocking = false;
    PumpUntil([&] { return done.load(); }, 20000);  // its last knock is answered, not left waiting
    knocker.join();
    EXPECT_TRUE(answered) << "the player did not answer for 10 s; " << walk.Replay();
    if (HWND dialog = FindWindowA("#32770", "Pipit Playlist")) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    PumpUntil([] { return !FindWindowA("#32770", "Pipit Playlist"); }, 5000);
    g_walk = nullptr;
}

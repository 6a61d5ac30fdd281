// A folder tree of 100,000 files dropped on the Playlist dialog, searched on the search's own thread
// until the playlist holds it, against the same search done in the user interface's thread as it
// was before; and how quickly the player's window answers the tray meanwhile, against at rest.

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "app/AppState.h"
#include "app/HandlerScope.h"
#include "app/StartUp.h"
#include "bench/Benchmarks.h"
#include "bench/Programs.h"
#include "common/PrivateIds.h"
#include "playback/FolderSearch.h"
#include "playback/PathSearch.h"

namespace {

constexpr int kFolders = 500;
constexpr int kFilesPerFolder = 200;
constexpr int kRepetitions = 3;
constexpr DWORD kSampleGapMs = 5;

// Another thread sends the window a message every few milliseconds, as the tray sends it a click,
// and notes how long each takes to be answered.
class AnswerTimes {
public:
    explicit AnswerTimes(HWND window)
        : thread_([this, window] {
              while (!stop_) {
                  const double start = Now();
                  DWORD_PTR ignored = 0;
                  SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
                  times_.push_back(Now() - start);
                  Sleep(kSampleGapMs);
              }
              ended_ = true;
          }) {}
    // Stops sampling; the median answer.
    double Finish() {
        stop_ = true;
        while (!ended_) {
            Pump();  // the last message sent must be answered for the thread to end
        }
        thread_.join();
        return times_.empty() ? 0 : Median(times_);
    }

private:
    std::atomic<bool> stop_{false};
    std::atomic<bool> ended_{false};
    std::vector<double> times_;
    std::thread thread_;
};

// From the right click to the popup menu shown, in the menu's own message loop.
double MenuShownAfter(HWND shell) {
    static double asked = 0;
    static double shown = 0;
    asked = Now();
    shown = 0;
    SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR timer, DWORD) {
        HWND menu = FindWindowA("#32768", nullptr);
        if (menu && IsWindowVisible(menu)) {
            shown = Now();
            KillTimer(nullptr, timer);
            EndMenu();
        }
    });
    SendMessageA(shell, WM_TRAYNOTIFY, kTrayIconId, WM_RBUTTONUP);
    return shown > 0 ? shown - asked : 0;
}

}  // namespace

std::vector<Row> BenchSearchWhileAnswering(const TempFolder& scratch) {
    const std::string root = scratch / "large tree";
    const int made = MakeMediaTree(root, kFolders, kFilesPerFolder);
    HWND shell = StartUp(GetModuleHandleA(nullptr));
    if (!shell) {
        std::fprintf(stderr, "bench: the shell did not start\n");
        return {};
    }
    std::vector<double> answersAtRest, answersSearching, menuAtRest, menuSearching;
    const TimedRun inThread = [&] {
        Playlist playlist;
        Stopwatch watch;
        AddFolder(playlist, root + "\\");
        return watch.Seconds();
    };
    const TimedRun dropped = [&] {
        {
            auto cleared = std::make_unique<Playlist>();
            StopPlayback();
            MakeLive(std::move(cleared));
        }
        AnswerTimes answers(shell);
        auto search = std::make_unique<PathSearch>();
        search->paths = {root};
        search->from = PathsFrom::Drop;
        search->forPlaylist = LivePlaylistGeneration();
        Stopwatch watch;
        StartPathSearch(shell, std::move(search));
        menuSearching.push_back(MenuShownAfter(shell));
        while (g_playlist->GetCount() < made && watch.Seconds() < 120) Pump();
        const double seconds = watch.Seconds();
        answersSearching.push_back(answers.Finish());
        if (g_playlist->GetCount() != made)
            std::fprintf(stderr, "bench: the search found %d of %d files\n", g_playlist->GetCount(), made);
        AnswerTimes atRest(shell);
        const double restStart = Now();
        while (Now() - restStart < 0.5) Pump();
        answersAtRest.push_back(atRest.Finish());
        menuAtRest.push_back(MenuShownAfter(shell));
        return seconds;
    };
    const Medians search = MeasurePair(kRepetitions, inThread, dropped);
    std::vector<Row> rows{Row{"Folder tree dropped, searched off the interface's thread until the playlist holds it",
                              made, search, "the same search in the interface's thread (AddFolder)", 1.1}};
    Row answer{"Tray's answer to a sent message while a folder tree is searched", made,
               Medians{Median(answersSearching), Median(answersAtRest)}, "the same at rest", 0.1};
    answer.absolute = true;
    Row menu{"Tray menu shown while a folder tree is searched", made,
             Medians{Median(menuSearching), Median(menuAtRest)}, "the same at rest", 0.1};
    menu.absolute = true;
    rows.push_back(answer);
    rows.push_back(menu);

    EndShell(shell);
    return rows;
}

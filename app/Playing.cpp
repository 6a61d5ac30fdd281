#include "app/Playing.h"

#include <mmsystem.h>

#include <chrono>

#include "app/AppState.h"
#include "app/TrayIcon.h"

namespace {

// How long one turn of the search may hold the thread. A refused open costs from 2 to 6 ms under
// Wine, so a playlist of missing files takes minutes to pass over; the tray must answer meanwhile.
constexpr auto kTurn = std::chrono::milliseconds(20);

struct PlayableSearch {
    bool underWay = false;
    HWND window = nullptr;
    Travel travel = Travel::Forward;
    int firstTried = 0;  // the entry the command meant to play; current again when none plays
    int triesLeft = 0;   // each entry is tried at most once a command
};

PlayableSearch search;

// A device that opened but would not play is closed at once: nothing else would close it.
bool TryCurrent(HWND window) {
    if (g_playlist->PlayCurrent(window)) {
        return true;
    }
    g_playlist->StopCurrent();
    return false;
}

// Moves to the next entry in the direction of travel; false when the travel ends here.
bool StepOn() {
    switch (search.travel) {
        case Travel::Backward: g_playlist->Prev(); return true;
        case Travel::ForwardToEnd:
            if (g_playlist->Current() >= g_playlist->GetCount()) {
                return false;
            }
            break;
        case Travel::Forward: break;
    }
    g_playlist->Next();
    return true;
}

void EndSearch() {
    search.underWay = false;
    KillTimer(search.window, kPlayableSearchTimer);
}

// Puts the entry the command meant back as current, so that the next Play tries it again.
void CancelSearch() {
    if (search.underWay) {
        EndSearch();
        g_playlist->SetCurrent(search.firstTried);
    }
}

}  // namespace

void PlayCurrentAndShow(HWND window, Travel travel) {
    CancelSearch();
    if (g_playlist->Current() == 0) {
        g_playing = 0;
        ShowTrayTip(window, g_playlist->CurrentPath());
        return;
    }
    const bool played = TryCurrent(window);
    g_playing = played ? 1 : 0;
    // Until another entry plays, the tip names the one the command meant.
    ShowTrayTip(window, g_playlist->CurrentPath());
    if (!played) {
        search = {true, window, travel, g_playlist->Current(), g_playlist->GetCount() - 1};
        ContinuePlayableSearch(window);
    }
}

void ContinuePlayableSearch(HWND window) {
    if (!search.underWay) {
        KillTimer(window, kPlayableSearchTimer);
        return;
    }
    const auto turnEnd = std::chrono::steady_clock::now() + kTurn;
    while (search.triesLeft > 0 && StepOn()) {
        --search.triesLeft;
        if (TryCurrent(window)) {
            EndSearch();
            g_playing = 1;
            ShowTrayTip(window, g_playlist->CurrentPath());
            return;
        }
        if (std::chrono::steady_clock::now() >= turnEnd) {
            SetTimer(window, kPlayableSearchTimer, USER_TIMER_MINIMUM, nullptr);
            return;
        }
    }
    // Nothing in the round plays; the tip already names the entry the command meant.
    CancelSearch();
}

bool PlayableSearchUnderWay() { return search.underWay; }

void ForgetPlayableSearch() { search.underWay = false; }

void StopPlayback() {
    CancelSearch();
    g_playlist->StopCurrent();
    g_playing = 0;
    // Every MCI notice of this program goes to the main window, the one window of this thread
    // that receives them.
    MSG stale;
    while (PeekMessageA(&stale, nullptr, MM_MCINOTIFY, MM_MCINOTIFY, PM_REMOVE)) {
    }
}

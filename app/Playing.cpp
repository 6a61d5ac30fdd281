#include "app/Playing.h"

#include <mmsystem.h>

#include <algorithm>
#include <chrono>
#include <optional>

#include "app/AppState.h"
#include "app/Hotkeys.h"
#include "app/NeighbourDevices.h"
#include "app/PlayOrder.h"
#include "app/Session.h"
#include "app/TrayIcon.h"
#include "common/FileProbe.h"
#include "common/Platform.h"
#include "playback/NextPlayTiming.h"

namespace {

// How long one turn of the search may hold the thread. A refused open costs from 2 to 6 ms under
// Wine, so a playlist of missing files takes minutes to pass over; the tray must answer meanwhile.
constexpr auto kTurn = std::chrono::milliseconds(20);

struct PlayableSearch {
    HWND window = nullptr;
    Travel travel = Travel::Forward;
    int firstTried = 0;  // the entry the command meant to play; current again when none plays
    int triesLeft = 0;   // each entry is tried at most once a command
};

PlayableSearch search;

PlaybackState state = PlaybackState::Stopped;

// Whether the notice of an accepted play may still come: it is the end of the entry only while no
// stop came between.
bool noticeOutstanding = false;
// The window that the plays notify, where a stop's marker goes.
HWND noticeWindow = nullptr;
// Stops whose WM_PLAYBACK_STOPPED marker has not come back through the queue yet. A notice that
// arrives before it was posted before the stop, for the play that was stopped.
int stopsInQueue = 0;

// The play under way, when it was started from its beginning: when, how long its entry is, and on
// which kind of device. From it the next entry is started as this one's last sound ends.
struct PlayTiming {
    unsigned play = 0;  // counts the plays started, so that a timer set for one is not taken for another
    DWORD startedAt = 0;
    DWORD length = 0;
    std::string_view deviceType;
    bool fromStart = false;
};
PlayTiming timing;
unsigned nextPlayTimerFor = 0;   // the play whose next-play timer is set, 0 for none
DWORD nextPlayDueAt = 0;         // when that timer is due (GetTickCount)
bool endNoticeDeferred = false;  // the play's end-of-play notice came first and waits for that timer
unsigned positionTimerFor = 0;   // the play whose position is kept every while, 0 for none

// How often the position in an entry that plays is kept: an entry shorter than that writes nothing.
constexpr UINT kPositionEveryMs = 30000;

// The position kept from the last run, for the entry that was current then: Play goes on there.
struct ResumePosition {
    const PlaylistEntry* entry = nullptr;
    unsigned playlist = 0;
    DWORD ms = 0;
};
ResumePosition resume;

// Put before the path in the tip while the entry is paused.
constexpr std::string_view kPausedTip = "Paused: ";

// An entry whose file is not there, or does not answer in time, cannot play this round: MCI's
// open of it would hold the thread for as long as the network takes to give up. A device that
// opened but would not play is closed at once: nothing else would close it.
bool TryCurrent(HWND window, DWORD fromMs = 0) {
    bool played = false;
    if (fromMs == 0 && TakeOpenedAhead()) {
        played = g_playlist->PlayOpened(window);  // one command: the device was opened ahead
    } else if (FileAnswersWithin(g_playlist->CurrentPath(), kFileAnswerMs)) {
        played = g_playlist->PlayCurrentFrom(window, fromMs);
        if (!played) {
            // The ended entry's device, still open a moment, may hold the very file (a playlist
            // that names it twice): MCI refuses a second open of it.
            CloseEndedDevice();
            played = g_playlist->PlayCurrentFrom(window, fromMs);
        }
    }
    if (played) {
        noticeOutstanding = true;
        noticeWindow = window;
        const PlaylistEntry* entry = g_playlist->CurrentEntry();
        timing = {timing.play + 1, GetTickCount(), g_playlist->CurrentLength(), entry->deviceType(), fromMs == 0};
        endNoticeDeferred = false;
        return true;
    }
    g_playlist->StopCurrent();
    return false;
}

// Moves to the next entry in the direction of travel; false when the travel ends here.
bool StepOn() {
    switch (search.travel) {
        case Travel::Backward: StepBack(); return true;
        case Travel::ForwardToEnd:
            if (AtTheEnd()) {
                return false;
            }
            break;
        case Travel::Forward: break;
    }
    StepForward();
    return true;
}

void EndSearch(PlaybackState next) {
    state = next;
    KillTimer(search.window, kPlayableSearchTimer);
}

// Puts the entry the command meant back as current, so that the next Play tries it again.
void CancelSearch() {
    if (state == PlaybackState::Searching) {
        EndSearch(PlaybackState::Stopped);
        // An entry taken out meanwhile may have shortened the playlist.
        g_playlist->SetCurrent(std::min(search.firstTried, g_playlist->GetCount()));
    }
}

}  // namespace

void PlayCurrentAndShow(HWND window, Travel travel, DWORD fromMs) {
    CancelSearch();
    state = PlaybackState::Stopped;  // a paused entry played again starts from its beginning
    if (!IsWindow(window)) {
        return;  // the player has ended under the command that asked for the play
    }
    if (g_playlist->Current() == 0) {
        ShowTrayTip(window, g_playlist->CurrentPath());
        return;
    }
    const bool played = TryCurrent(window, fromMs);
    state = played ? PlaybackState::Playing : PlaybackState::Stopped;
    // Until another entry plays, the tip names the one the command meant.
    ShowTrayTip(window, g_playlist->CurrentPath());
    if (!played && IsWindow(window)) {
        search = {window, travel, g_playlist->Current(), g_playlist->GetCount() - 1};
        state = PlaybackState::Searching;
        ContinuePlayableSearch(window);
    }
}

void ContinuePlayableSearch(HWND window) {
    if (state != PlaybackState::Searching || !IsWindow(window)) {
        KillTimer(window, kPlayableSearchTimer);
        return;
    }
    const auto turnEnd = std::chrono::steady_clock::now() + kTurn;
    while (search.triesLeft > 0 && StepOn()) {
        --search.triesLeft;
        if (TryCurrent(window)) {
            EndSearch(PlaybackState::Playing);
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

PlaybackState Playback() { return state; }

void KeepPositionNow() {
    if (state == PlaybackState::Playing || state == PlaybackState::Paused) {
        KeepPosition(g_playlist->CurrentEntry(), g_playlist->CurrentPosition());
    }
}

void ResumeAt(const PlaylistEntry* entry, DWORD ms) { resume = {entry, LivePlaylistGeneration(), ms}; }

DWORD TakeResumePosition() {
    const bool same =
        resume.entry && resume.entry == g_playlist->CurrentEntry() && resume.playlist == LivePlaylistGeneration();
    const DWORD ms = same ? resume.ms : 0;
    resume = {};
    return ms;
}

bool PausePlayback(HWND window) {
    if (state != PlaybackState::Playing || !g_playlist->PauseCurrent()) {
        return false;
    }
    state = PlaybackState::Paused;
    KeepPositionNow();
    ShowTrayTip(window, g_playlist->CurrentPath(), kPausedTip);
    return true;
}

bool ResumePlayback(HWND window) {
    if (state != PlaybackState::Paused || !g_playlist->ResumeCurrent(window)) {
        return false;
    }
    state = PlaybackState::Playing;
    noticeOutstanding = true;
    noticeWindow = window;
    // How much of it has played is not known to the millisecond: its end-of-play notice starts the
    // next entry.
    timing.fromStart = false;
    ShowTrayTip(window, g_playlist->CurrentPath());
    return true;
}

void ForgetPlayback() {
    state = PlaybackState::Stopped;
    nextPlayTimerFor = positionTimerFor = 0;  // the timers go with the window
    endNoticeDeferred = false;
    resume = {};
    noticeWindow = nullptr;
    ForgetNeighbourDevices();
    noticeOutstanding = false;
    stopsInQueue = 0;  // the markers in the queue go with the window
}

void StopPlayback() {
    KeepPositionNow();
    StopCurrentPlayback();
    CloseOpenedAhead();
}

void StopCurrentPlayback() {
    CancelSearch();
    state = PlaybackState::Stopped;
    g_playlist->StopCurrent();
    CloseEndedDevice();
    // The queue is not searched for the stopped play's notice: taking messages would also run
    // those that other programs send meanwhile (a close among them) in the middle of the command.
    if (noticeOutstanding && PostMessageA(noticeWindow, WM_PLAYBACK_STOPPED, 0, 0)) {
        ++stopsInQueue;
    }
    noticeOutstanding = false;
}

void OnPlaybackStopped() {
    if (stopsInQueue > 0) {
        --stopsInQueue;
    }
}

bool IsNoticeOfCurrentPlay(LPARAM deviceId) {
    if (!noticeOutstanding || stopsInQueue > 0) {
        return false;
    }
    // Some devices name themselves in the notice; one that names another device is not this play's.
    return deviceId == 0 || static_cast<UINT>(deviceId) == g_playlist->CurrentDeviceId();
}

void NoticeTaken() {
    noticeOutstanding = false;
    endNoticeDeferred = false;
}

namespace {

bool IsEndOfCurrentPlay(LPARAM deviceId) {
    // An MPEG device names no device in its notice: while the current entry's device still plays,
    // the end is that of the entry before, which went on to its end after the next one started.
    return IsNoticeOfCurrentPlay(deviceId) && (deviceId != 0 || !g_playlist->CurrentPlays());
}

// Whether the next-play timer of this play is due shortly: longer than the lead of any device
// measured. A notice that comes earlier than that before the timer is taken at once: the entry's
// length was not what it played for.
bool NextPlayTimerDueSoon() {
    constexpr int kNoticeWaitsMs = 250;
    return nextPlayTimerFor != 0 && nextPlayTimerFor == timing.play &&
           static_cast<int>(nextPlayDueAt - GetTickCount()) <= kNoticeWaitsMs;
}

}  // namespace

void OnPlayEndNotice(HWND window, LPARAM deviceId) {
    if (!IsEndOfCurrentPlay(deviceId)) {
        return;
    }
    endNoticeDeferred = NextPlayTimerDueSoon();
    if (!endNoticeDeferred) {
        PlayOnAfterEnd(window);
    }
}

void PlayOnAfterEnd(HWND window) {
    NoticeTaken();
    state = PlaybackState::Stopped;
    SetEndedDeviceAside(window, g_playlist->SetCurrentDeviceAside());
    // A playlist of one entry is never repeated; past the last entry it goes on only with Loop on.
    if (g_playlist->GetCount() <= 1 || StepForward() == 0) {
        return;
    }
    // Entries that cannot be played are passed over, past the last one only with Loop on.
    PlayCurrentAndShow(window, g_loop ? Travel::Forward : Travel::ForwardToEnd);
}

void NoticeFailed() {
    NoticeTaken();
    state = PlaybackState::Stopped;
}

namespace {

// The tip names the entry that plays or stands paused, the entry a search was meant for, or the
// current entry; "Paused: " shows only while it is paused. Without a current entry it keeps what it
// showed, as it always has, but no pause that has ended.
void ShowTheTrueTip() {
    const bool paused = state == PlaybackState::Paused;
    if (g_playlist->Current() == 0) {
        if (TrayTipShowsPrefix() && !paused) {
            ShowTrayTipWhereChanged(std::string());
        }
        return;
    }
    const int named = state == PlaybackState::Searching ? search.firstTried : g_playlist->Current();
    const PlaylistEntry* entry = g_playlist->EntryAt(named);
    ShowTrayTipWhereChanged(entry ? std::string(entry->path()) : std::string(),
                            paused ? kPausedTip : std::string_view());
}

}  // namespace

void RemoveEntry(int position) {
    if (position < 1 || position > g_playlist->GetCount()) {
        return;
    }
    if (position == g_playlist->Current() && state != PlaybackState::Searching) {
        StopPlayback();
    }
    g_playlist->Remove(position);
    if (state == PlaybackState::Searching) {
        // The search goes on for the entry it was meant for, wherever the edit moved it, over what
        // is left of the playlist.
        search.firstTried = Playlist::PositionAfterRemove(search.firstTried, position, g_playlist->GetCount());
        search.triesLeft = std::min(search.triesLeft, g_playlist->GetCount() - 1);
    }
}

bool MoveEntry(int position, int places) {
    if (!g_playlist->Move(position, places)) {
        return false;
    }
    search.firstTried = Playlist::PositionAfterSwap(search.firstTried, position, position + places);
    return true;
}

namespace {

// A timer that serves the play under way (`setFor` names the play it was set for, 0 for none): set
// once for it while it is wanted, killed once it is not. Whether it was set just now.
bool SyncPlayTimer(UINT_PTR id, unsigned& setFor, bool wanted, UINT delay) {
    if (!wanted) {
        if (setFor != 0) {
            KillTimer(noticeWindow, id);
            setFor = 0;
        }
        return false;
    }
    if (setFor == timing.play || !SetTimer(noticeWindow, id, delay, nullptr)) {
        return false;
    }
    setFor = timing.play;
    return true;
}

// Set while an entry plays from its beginning and the next entry's device is ready; killed whenever
// that no longer holds (stopped, paused, edited, the next entry's device closed).
void SyncNextPlayTimer() {
    const PlaylistEntry* next = state == PlaybackState::Playing && timing.fromStart ? EntryOpenedAhead() : nullptr;
    const std::optional<DWORD> due =
        next ? NextPlayDue(timing.deviceType, next->deviceType(), timing.length, RunningOnWine()) : std::nullopt;
    if (!due && endNoticeDeferred && state == PlaybackState::Playing) {
        return;  // an end already noticed is still taken by the timer, by the next entry's open at its turn
    }
    if (!due) {
        endNoticeDeferred = false;
    }
    const DWORD elapsed = GetTickCount() - timing.startedAt;
    const UINT delay = due && *due > elapsed ? std::max<UINT>(*due - elapsed, USER_TIMER_MINIMUM) : USER_TIMER_MINIMUM;
    if (SyncPlayTimer(kNextPlayTimer, nextPlayTimerFor, due.has_value(), delay)) {
        nextPlayDueAt = GetTickCount() + delay;
    }
}

// Set while an entry plays, from the start of its play; an entry that plays on keeps its position
// every while.
void SyncPositionTimer() {
    SyncPlayTimer(kPositionTimer, positionTimerFor, state == PlaybackState::Playing, kPositionEveryMs);
}

}  // namespace

void OnPositionTimer() { KeepPositionNow(); }

void OnNextPlayTimer(HWND window) {
    KillTimer(window, kNextPlayTimer);
    const bool stillDue =
        nextPlayTimerFor == timing.play && state == PlaybackState::Playing && (EntryOpenedAhead() || endNoticeDeferred);
    nextPlayTimerFor = 0;
    endNoticeDeferred = false;
    if (stillDue) {
        PlayOnAfterEnd(window);
    }
}

void AfterEachMessage() {
    HoldMediaKeys(state != PlaybackState::Stopped);
    ShowTheTrueTip();
    if (noticeWindow) {
        SyncOpenedAhead(noticeWindow, state == PlaybackState::Playing);
        SyncNextPlayTimer();
        SyncPositionTimer();
    }
}

void OnOpenAheadMessage() { OpenNextAhead(state == PlaybackState::Playing); }

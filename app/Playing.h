#pragma once

#include <windows.h>

class PlaylistEntry;

// Takes the next turn of a search for a playable entry; called on its timer (kPlayableSearchTimer),
// so that the tray, the hotkeys and any open dialog are answered between turns.
void ContinuePlayableSearch(HWND window);

// What the player is doing; kept here, and changed only by the routines of this file.
enum class PlaybackState {
    Stopped,    // nothing plays, and the current entry's device is closed
    Playing,    // a play that MCI accepted is under way
    Paused,     // the current entry's device stands where it was paused
    Searching,  // a command looks for an entry that plays, a turn at a time; nothing sounds yet
};
PlaybackState Playback();

// Pausing: the current entry's device stops where it is, and plays on from there. Pausing asks for
// a play under way, resuming for a paused entry; each returns false, changing nothing, when there
// is none or the device will not (a device that cannot pause).
bool PausePlayback(HWND window);
bool ResumePlayback(HWND window);

// The position in the current entry: kept in the session now (where it plays or stands paused),
// and every while as it plays (kPositionTimer).
void KeepPositionNow();
void OnPositionTimer();
// The position kept from the last run, where Play goes on in the entry that was current then; any
// other play starts an entry from its beginning. Taken once: Stop and Play then start it afresh.
void ResumeAt(const PlaylistEntry* entry, DWORD ms);
DWORD TakeResumePosition();

// Forgets a search and the notices to come when the window goes, whose timer and queue go with it.
void ForgetPlayback();

// A stop's marker (WM_PLAYBACK_STOPPED) has come back through the queue.
void OnPlaybackStopped();
// Whether an end-of-play notice (successful or failed) about this device is the end of the play under
// way, not a stale one of a play stopped since. The MPEG devices send 0 for their id.
bool IsNoticeOfCurrentPlay(LPARAM deviceId);
// A successful end-of-play notice: the end of the entry that plays now goes on (PlayOnAfterEnd); a
// stale one, or that of the entry before, which went on to its end after the next one was started
// (kNextPlayTimer), changes nothing. An MPEG device's notice comes before its last sound has been
// heard: where kNextPlayTimer is due shortly, the end is left to it, and it goes off even if the next
// entry's device is closed meanwhile.
void OnPlayEndNotice(HWND window, LPARAM deviceId);
// kNextPlayTimer: the entry that plays is about to end; the next one starts, so that its first sound
// follows the last of this one. The ended entry's device plays on to its end, and closes later.
void OnNextPlayTimer(HWND window);
// The play's end notice has been handled; nothing more comes of that play.
void NoticeTaken();
// The device failed while it played: nothing plays any more, and playback does not go on.
void NoticeFailed();

// The current entry's play ended by itself: goes on to the next entry (with its device opened
// ahead, one command), unless the playlist wrapped with Loop off; a playlist of one entry is never
// repeated. The ended entry's device closes a moment later, once its last sound is out.
void PlayOnAfterEnd(HWND window);

// Stops the current entry only, keeping the next one's device opened ahead: for a step to it.
void StopCurrentPlayback();

// Once a message has been handled, whatever it changed: the media keys follow what plays, and the
// next entry's device is opened ahead, or closed where the playlist no longer leads to it.
void AfterEachMessage();
// WM_OPEN_AHEAD.
void OnOpenAheadMessage();

#pragma once

#include <windows.h>

// Takes the next turn of a search for a playable entry; called on its timer (kPlayableSearchTimer),
// so that the tray, the hotkeys and any open dialog are answered between turns.
void ContinuePlayableSearch(HWND window);

// Whether a command is still looking for an entry that plays.
bool PlayableSearchUnderWay();
// Whether something plays or stands paused, or a command is looking for an entry that plays.
bool PlaybackUnderWay();

// Pausing: the current entry's device stops where it is, and plays on from there. Pausing asks for
// a play under way, resuming for a paused entry; each returns false, changing nothing, when there
// is none or the device will not (a device that cannot pause).
bool PausePlayback(HWND window);
bool ResumePlayback(HWND window);
bool PlaybackPaused();

// Forgets a search and the notices to come when the window goes, whose timer and queue go with it.
void ForgetPlayback();

// A stop's marker (WM_PLAYBACK_STOPPED) has come back through the queue.
void OnPlaybackStopped();
// Whether an end-of-play notice (successful or failed) about this device is the end of the play under
// way, not a stale one of a play stopped since. The MPEG devices send 0 for their id.
bool IsNoticeOfCurrentPlay(LPARAM deviceId);
// The play's end notice has been handled; nothing more comes of that play.
void NoticeTaken();

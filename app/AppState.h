#pragma once

// The process-wide state of the player and the routines through which every play and every stop
// passes. The dialogs use this file and nothing else of the shell.

#include <windows.h>

#include <memory>

#include "playback/Playlist.h"

extern HINSTANCE g_instance;
extern char g_title[200];
extern char g_className[200];
extern HMENU g_menu;  // menu 104; its first submenu is the tray popup
extern std::unique_ptr<Playlist> g_playlist;
extern int g_playing;  // 1 while a play that MCI accepted is under way
extern int g_runAtStartup;
extern int g_loop;

// Which way the player goes on from an entry that cannot be played, and whether it wraps.
enum class Travel {
    Forward,       // on to the next entry, from the last to the first
    ForwardToEnd,  // on to the next entry, but not past the last
    Backward,      // back to the previous entry, from the first to the last
};

// Plays the current entry, when the playlist has one, and shows its path in the tray tip. An entry
// that MCI will not open or play is passed over in the direction of travel, each entry tried at
// most once (defined in app/Playing.cpp).
void PlayCurrentAndShow(HWND window, Travel travel = Travel::Forward);

// Stops and closes the current entry's device and ends a search for a playable entry. Nothing plays
// afterwards, so g_playing is cleared, and any completion notice still queued for the play just
// stopped is dropped: a stale "successful" would otherwise skip the entry that plays next.
void StopPlayback();

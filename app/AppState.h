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
extern int g_runAtStartup;
extern int g_loop;

// Held by every window and dialog procedure of the player while it handles a message. A handler
// may be re-entered while it waits (a dialog's message loop, a message sent by another program
// while a call waits on the tray), and the inner one may replace the playlist or end the player:
// a playlist taken out of g_playlist is freed only once the outermost handler has returned, so no
// handler ever finds the playlist it is using freed under it.
class HandlerScope {
public:
    HandlerScope();
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;
};

// Makes the playlist the live one, carrying the Loop setting, and tells an open Playlist dialog.
// The caller has stopped playback.
void SetLivePlaylist(std::unique_ptr<Playlist> playlist);
// Counts the playlists made live: entries found for one are not added to another.
unsigned LivePlaylistGeneration();
// Appends the entries' paths to the live playlist and shows them in an open Playlist dialog.
void AppendToLivePlaylist(const Playlist& entries);
// The player's end: the playlist goes once no handler is running any more.
void EndLivePlaylist();
// The Playlist dialog while it is open, which is told of every change made to the playlist behind it.
void SetPlaylistView(HWND dialog);

// Which way the player goes on from an entry that cannot be played, and whether it wraps.
enum class Travel {
    Forward,       // on to the next entry, from the last to the first
    ForwardToEnd,  // on to the next entry, but not past the last
    Backward,      // back to the previous entry, from the first to the last
};

// Plays the current entry, when the playlist has one, and shows its path in the tray tip. An entry
// that MCI will not open or play is passed over in the direction of travel, each entry tried at
// most once (defined in app/Playing.cpp). Once the window is gone, nothing plays.
void PlayCurrentAndShow(HWND window, Travel travel = Travel::Forward);

// Stops and closes the current entry's device and ends a search for a playable entry. Nothing plays
// afterwards; a completion notice still queued for the play just stopped
// is known as stale when it comes, and is not taken for the end of the entry that plays next.
void StopPlayback();

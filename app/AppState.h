#pragma once

// The process-wide state of the player and the routines through which every play, every stop and
// every change of the live playlist passes. The dialogs use this file and nothing else of the
// shell; the routines are defined where their work is done (app/HandlerScope.cpp, app/Playing.cpp).

#include <windows.h>

#include <memory>

#include "common/NotCopied.h"
#include "playback/Playlist.h"

extern HINSTANCE g_instance;
extern char g_title[200];
extern char g_className[200];
extern HMENU g_menu;  // menu 104; its first submenu is the tray popup
extern std::unique_ptr<Playlist> g_playlist;
extern int g_runAtStartup;
extern int g_loop;
extern int g_shuffle;
extern int g_volume;  // percent, 0 to 100

// Held by every window and dialog procedure of the player while it handles a message. Once a
// message has been handled, whichever loop dispatched it (the main loop, or the loop of a dialog, a
// file chooser, a message box or the tray menu that a command opened), the work that follows every
// message runs: the media keys follow what plays, the next entry's device is opened ahead or
// closed, a change is kept in the session, an open Playlist dialog shows the playlist as it is, and
// playlists replaced meanwhile are freed.
//
// A handler may also be entered while another one is in the middle of its work: a message that
// another program sends is handled while a call waits (on the tray, on MCI). That work is left to
// the handler below, until it returns; nothing is freed under it.
class HandlerScope : NotCopied {
public:
    HandlerScope();
    ~HandlerScope();
};

// Held around every call that runs a message loop of its own inside a handler: a dialog, a file
// chooser, a message box, the tray menu. The handler waits there with nothing half done, so each
// message that the loop dispatches is followed by the work above. Code never keeps a playlist (or
// an entry of one) across such a call: the live playlist may be replaced, and the old one freed,
// while it waits.
class ModalLoopScope : NotCopied {
public:
    ModalLoopScope();
    ~ModalLoopScope();
};

// Replaces the playlist: stops playback, discards what the searches of dropped and handed-over
// paths will find (it was meant for the playlist replaced here), makes the new one live with the
// Loop setting and shows it in an open Playlist dialog. The commands replace it this way; only the
// first hand-over of several keeps their searches (app/PathsToPlaylist.cpp).
void ReplacePlaylist(std::unique_ptr<Playlist> playlist);
// Replaces the playlist by a fresh empty one.
void ClearPlaylist();
// Counts the playlists made live: entries found for one are not added to another.
unsigned LivePlaylistGeneration();
// Appends the entries' paths to the live playlist; an open Playlist dialog shows them.
void AppendToLivePlaylist(const Playlist& entries);

// Which way the player goes on from an entry that cannot be played, and whether it wraps.
enum class Travel {
    Forward,       // on to the next entry, from the last to the first
    ForwardToEnd,  // on to the next entry, but not past the last
    Backward,      // back to the previous entry, from the first to the last
};

// Plays the current entry, when the playlist has one, and shows its path in the tray tip. An entry
// that MCI will not open or play is passed over in the direction of travel, each entry tried at
// most once (defined in app/Playing.cpp). Once the window is gone, nothing plays. `fromMs` is where
// the current entry starts (another entry passed to starts from its beginning).
void PlayCurrentAndShow(HWND window, Travel travel = Travel::Forward, DWORD fromMs = 0);

// The edits of the Playlist dialog (defined in app/Playing.cpp). Takes the entry at the position
// out: the entry that plays or stands paused stops when it is the one taken out. Moves the entry at
// the position one place up (-1) or down (1); false where there is no such place. A search for a
// playable entry goes on for the entry it was meant for, wherever the edit left it.
void RemoveEntry(int position);
bool MoveEntry(int position, int places);

// Stops and closes the current entry's device and ends a search for a playable entry. Nothing plays
// afterwards; a completion notice still queued for the play just stopped is known as stale when it
// comes, and is not taken for the end of the entry that plays next.
void StopPlayback();

#pragma once

// The process-wide state of the player and the one routine through which every play passes.
// The dialogs use this file and nothing else of the shell.

#include <windows.h>

#include <memory>

#include "playback/Playlist.h"

extern HINSTANCE g_instance;
extern char g_title[200];
extern char g_className[200];
extern HMENU g_menu;                    // menu 104; its first submenu is the tray popup
extern std::unique_ptr<Playlist> g_playlist;
extern int g_playing;                   // 1 while the current entry is being played
extern int g_runAtStartup;
extern int g_loop;

// Starts the current entry, when the playlist has one, and shows its path in the tray tip.
void PlayCurrentAndShow(HWND window);

// Stops and closes the current entry's device. Nothing plays afterwards, so g_playing is cleared,
// and any completion notice still queued for the play just stopped is dropped: a stale
// "successful" would otherwise skip the entry that plays next.
void StopPlayback();

#pragma once

#include <windows.h>

// The Playlist dialog (template 106): lists the playlist, plays an entry on double-click, clears
// the playlist, and takes files and folders dropped on it. There is one at most: View while it is
// open brings it forward.
void ShowPlaylistDialog(HWND owner);
INT_PTR CALLBACK PlaylistDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#pragma once

#include <windows.h>

// The Playlist dialog (template 106): lists the playlist, plays an entry on double-click, clears
// the playlist, and takes files and folders dropped on it.
INT_PTR CALLBACK PlaylistDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Sets the list box's horizontal scroll range to the widest name of the playlist it shows, measured
// in its own font, plus 6 (0 when it shows nothing).
void UpdateHorizontalExtent(HWND listBox);

#pragma once

#include <windows.h>

class PlaylistEntry;

// The Playlist dialog (template 106): lists the playlist, plays an entry on double-click, clears
// the playlist, and takes files and folders dropped on it.
INT_PTR CALLBACK PlaylistDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Widens the list box's horizontal scroll range to the widest name of the playlist's entries from
// `first` on, measured in the list box's own font, plus 6. On an emptied list whose range was set
// to 0, from the first entry on, it is the widest name of the list.
void UpdateHorizontalExtent(HWND listBox, const PlaylistEntry* first);

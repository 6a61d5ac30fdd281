#pragma once

// Turning paths into the playlist: those the program was started with or was handed by another
// copy, and those dropped on the Playlist dialog. Their folders are searched on a thread of their
// own (playback/PathSearch.h); what the searches find is taken here, in the order they started.

#include <windows.h>

#include <string>
#include <vector>

// Opens paths handed over (or given on the command line): a media file as Select Media Files takes
// it, a playlist file's entries as Load reads them, a folder searched as a drop searches it. The
// first hand-over replaces the playlist and plays its first entry, as Select Media Files does; one
// that comes while the one before is still being searched, or within about a second of its coming
// or of its search's end, is appended to what it made (Explorer starts a copy for each of several
// files opened at once). Paths that give no entry leave the playlist as it is, and a playlist file
// that cannot be read is named in a message box and changes nothing.
void OpenPaths(HWND window, std::vector<std::string> paths);

// WM_PATHS_FOUND: takes what the finished searches found. Entries found for a playlist that has
// been replaced since are dropped.
LRESULT OnPathsFound(HWND window);
// The window's end: the next hand-over starts a playlist of its own.
void ForgetHandOvers();

#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "playback/Playlist.h"

// The playlist that paths from the command line make, in their order: a media file as Select Media
// Files takes it, a ".ppl" file's entries as Load reads them, a folder searched as a drop on the
// Playlist dialog searches it. Paths that do not exist are passed over; a playlist file that cannot
// be read ends the opening, named with the system's reason.
struct OpenedPlaylist {
    std::unique_ptr<Playlist> playlist;
    std::string unreadable;  // the playlist file that could not be read, if any
    DWORD error;
};
OpenedPlaylist PlaylistFromPaths(const std::vector<std::string>& paths);

// Replaces the playlist by the paths' entries and plays the first, as after Select Media Files;
// when none of the paths gives an entry, or a playlist file among them cannot be read (which is
// shown in a message box, as Load shows it), the playlist stays as it is.
void OpenPaths(HWND window, const std::vector<std::string>& paths);

// The main window's answers to a copy started with paths (WM_COPYDATA), and to its own note that
// paths are waiting (WM_OPENPATHS).
LRESULT OnCopyData(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT OnOpenPaths(HWND window);

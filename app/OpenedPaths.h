#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "playback/Playlist.h"

// The playlist that paths from the command line make, in their order: a media file as Select Media
// Files takes it, a ".ppl" file's entries as Load reads them, a folder searched as a drop on the
// Playlist dialog searches it. Paths that do not exist or cannot be read are passed over.
std::unique_ptr<Playlist> PlaylistFromPaths(const std::vector<std::string>& paths);

// Replaces the playlist by the paths' entries and plays the first, as after Select Media Files;
// when none of the paths gives an entry, the playlist stays as it is.
void OpenPaths(HWND window, const std::vector<std::string>& paths);

// The main window's answers to a copy started with paths (WM_COPYDATA), and to its own note that
// paths are waiting (posted, so that the copy that sent them is not kept waiting meanwhile).
constexpr UINT WM_OPENPATHS = WM_APP + 1;
LRESULT OnCopyData(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT OnOpenPaths(HWND window);

#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "playback/Playlist.h"

// Loads a "|"-separated filter string resource into the buffer as the NUL-separated list that the
// common file dialogs take, ending with two NULs. Always returns 1 (a missing string gives an empty
// filter): the signature it has always had, kept for code written against it; there is nothing to
// test.
int LoadFilterString(UINT id, char* buffer, int bufferSize);

// The three file choosers of the tray menu. The window is the main window: it owns the dialog and
// receives the notices of what they start playing.
void SelectMediaFiles(HWND window);
void LoadPlaylist(HWND window);
void SavePlaylist(HWND window);

// What Load and Save do with the chosen file. A file that cannot be read or written is named in a
// message box with the system's reason; a failed load leaves the playlist as it was.
void LoadPlaylistFile(HWND window, const std::string& file);
void SavePlaylistFile(HWND window, const std::string& file);

// What Select Media Files does with the dialog's answer: the file buffer holds one full path, or a
// folder followed by several names (fileOffset is where the first name starts). The chosen files
// replace the playlist and its first accepted entry starts playing.
void TakeChosenMediaFiles(HWND window, const char* files, WORD fileOffset);

#pragma once

#include <atomic>
#include <string>

class Playlist;

// Offers every file in the folder and all its sub-folders to the playlist, depth first, in the
// order the file system lists them. The path ends with a backslash. A folder reached a second time
// (through a junction or a symbolic link) is not searched again, so a link loop ends. The search
// ends early once `cancelled` is set (it may run on a thread of its own).
void AddFolder(Playlist& playlist, const std::string& folderPath, const std::atomic<bool>* cancelled = nullptr);

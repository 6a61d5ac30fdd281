#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "common/FileReplace.h"

class Playlist;

// The player's session, kept between runs: the playlist, which of its entries is current, and the
// position in that entry where it was last stopped, paused or left, so that a long entry (a talk, a
// book) goes on from there. A text file of CR LF lines: "Pipit session 2", then "current N", then
// "position MS", then each entry's path as the playlist holds it. A file of version 1 has no
// position.
struct KeptSession {
    std::unique_ptr<Playlist> playlist;  // none where there is no session to bring back
    DWORD positionMs = 0;                // 0: the current entry's beginning
};

// Writes it as a save writes a playlist: the old file stays whole until the new one is. False, with
// the system's reason for GetLastError, when it cannot be written.
bool WriteSessionFile(const std::string& path, const Playlist& playlist, DWORD positionMs = 0,
                      DWORD patienceMs = kSavePatienceMs);

// The session's playlist with its current entry and the position in it; no playlist when the file is
// missing, cannot be read, or was written by a newer version of the player.
KeptSession ReadSessionFile(const std::string& path);

#pragma once

#include <memory>

#include "common/FileReplace.h"
#include <string>

class Playlist;

// The player's session, kept between runs: the playlist and which of its entries is current. A
// text file of CR LF lines: "Pipit session 1", then "current N", then each entry's path as the
// playlist holds it.

// Writes it as a save writes a playlist: the old file stays whole until the new one is. False, with
// the system's reason for GetLastError, when it cannot be written.
bool WriteSessionFile(const std::string& path, const Playlist& playlist, DWORD patienceMs = kSavePatienceMs);

// The session's playlist with its current entry, or none when the file is missing, cannot be read,
// or was written by a newer version of the player.
std::unique_ptr<Playlist> ReadSessionFile(const std::string& path);

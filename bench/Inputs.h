#pragma once

#include <string>
#include <vector>

#include "tests/ScratchFiles.h"

constexpr size_t kMediaPathLength = 80;

// A made-up full path of exactly kMediaPathLength characters ending in ".mp3"; distinct for each index.
std::string MediaPath(int index);
std::vector<std::string> MediaPaths(int count);

// What the Playlist dialog lists for a path: the part after its last backslash.
std::string FileNameOf(const std::string& path);

// A playlist file as the player saves it: each path followed by CR LF.
void WritePlaylistFile(const std::string& fileName, const std::vector<std::string>& paths);

// Empty media files under root (which must not exist yet): `folders` sub-folders holding
// `filesPerFolder` files each. Returns the number of files made.
int MakeMediaTree(const std::string& root, int folders, int filesPerFolder);

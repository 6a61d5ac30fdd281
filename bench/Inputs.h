#pragma once

#include <string>
#include <vector>

// A fresh folder under the temporary folder, removed with all it holds when the guard goes.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder's path joined with a name.
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

constexpr size_t kMediaPathLength = 80;

// A made-up full path of exactly kMediaPathLength characters ending in ".mp3"; distinct for each index.
std::string MediaPath(int index);
std::vector<std::string> MediaPaths(int count);

// What the Playlist dialog lists for a path: the part after its last backslash.
std::string FileNameOf(const std::string& path);

// A playlist file as the player saves it: each path followed by CR LF.
void WritePlaylistFile(const std::string& fileName, const std::vector<std::string>& paths);

// A mono 16-bit PCM WAV of silence lasting the given milliseconds.
void WriteWav(const std::string& fileName, int milliseconds);

// Empty media files under root (which must not exist yet): `folders` sub-folders holding
// `filesPerFolder` files each. Returns the number of files made.
int MakeMediaTree(const std::string& root, int folders, int filesPerFolder);

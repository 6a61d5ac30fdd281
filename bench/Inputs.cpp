#include "bench/Inputs.h"

#include <windows.h>

#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>

namespace {

void CreateEmptyFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
    }
}

}  // namespace

std::string MediaPath(int index) {
    std::string path = "C:\\Users\\Listener\\Music\\Disc " + std::to_string(index / 100) + "\\" +
                       std::to_string(index) + " - A Rather Long Title For The Track";
    path.resize(kMediaPathLength - 4, ' ');  // cut or padded so that every path has the same length
    path.back() = 'x';
    return path + ".mp3";
}

std::vector<std::string> MediaPaths(int count) {
    std::vector<std::string> paths;
    paths.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        paths.push_back(MediaPath(i));
    }
    return paths;
}

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void WritePlaylistFile(const std::string& fileName, const std::vector<std::string>& paths) {
    std::string bytes;
    for (const std::string& path : paths) {
        bytes += path;
        bytes += "\r\n";
    }
    if (!WriteBytes(fileName, bytes)) {
        std::fprintf(stderr, "cannot write %s\n", fileName.c_str());
    }
}

int MakeMediaTree(const std::string& root, int folders, int filesPerFolder) {
    CreateDirectoryA(root.c_str(), nullptr);
    int made = 0;
    for (int f = 0; f < folders; ++f) {
        const std::string folder = root + "\\Album " + std::to_string(f);
        CreateDirectoryA(folder.c_str(), nullptr);
        for (int i = 0; i < filesPerFolder; ++i) {
            CreateEmptyFile(folder + "\\" + std::to_string(i) + " - Track.mp3");
            ++made;
        }
    }
    return made;
}

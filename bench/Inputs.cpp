#include "bench/Inputs.h"

#include <windows.h>

#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>

namespace {

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

void AppendLittleEndian(std::string& bytes, DWORD value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

bool WriteWholeFile(const std::string& fileName, const std::string& bytes) {
    std::FILE* file = std::fopen(fileName.c_str(), "wb");
    if (!file) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

void CreateEmptyFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
    }
}

}  // namespace

ScratchFolder::ScratchFolder() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    for (int attempt = 0; attempt < 100; ++attempt) {
        path_ = std::string(base) + "pipit-bench-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(attempt);
        if (CreateDirectoryA(path_.c_str(), nullptr)) {
            return;
        }
    }
    std::fprintf(stderr, "cannot make a folder under %s\n", base);
    std::exit(1);
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

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
    if (!WriteWholeFile(fileName, bytes)) {
        std::fprintf(stderr, "cannot write %s\n", fileName.c_str());
    }
}

void WriteWav(const std::string& fileName, int milliseconds) {
    constexpr DWORD kRate = 22050;
    constexpr WORD kBytesPerSample = 2;
    const DWORD dataBytes = kRate * static_cast<DWORD>(milliseconds) / 1000 * kBytesPerSample;
    std::string wav = "RIFF";
    AppendLittleEndian(wav, 36 + dataBytes, 4);
    wav += "WAVEfmt ";
    AppendLittleEndian(wav, 16, 4);                        // size of the format chunk
    AppendLittleEndian(wav, WAVE_FORMAT_PCM, 2);
    AppendLittleEndian(wav, 1, 2);                         // mono
    AppendLittleEndian(wav, kRate, 4);
    AppendLittleEndian(wav, kRate * kBytesPerSample, 4);   // bytes per second
    AppendLittleEndian(wav, kBytesPerSample, 2);           // block align
    AppendLittleEndian(wav, kBytesPerSample * 8, 2);       // bits per sample
    wav += "data";
    AppendLittleEndian(wav, dataBytes, 4);
    wav.append(dataBytes, '\0');
    if (!WriteWholeFile(fileName, wav)) {
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

#include "tests/ScratchFiles.h"

#include <shlobj.h>

#include "common/ScopedHandles.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    const ScopedFind search(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (search.Valid()) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string path = folder + "\\" + name;
            const bool isLink = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !isLink) {
                RemoveTree(path);
            } else if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveDirectoryA(path.c_str());
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search.Get(), &found));
    }
    SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

TempFolder::TempFolder(const std::string& prefix) {
    static std::atomic<int> serial{0};
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    for (int attempt = 0; attempt < 1000; ++attempt) {
        path_ = std::string(base) + prefix + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(serial++);
        if (CreateDirectoryA(path_.c_str(), nullptr)) {
            return;
        }
    }
    std::fprintf(stderr, "cannot create a folder under %s\n", base);
    std::abort();
}

TempFolder::~TempFolder() { RemoveTree(path_); }

bool WriteBytes(const std::string& path, const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

std::string ReadBytes(const std::string& path) {
    std::string bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file) {
        char buffer[4096];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            bytes.append(buffer, got);
        }
        std::fclose(file);
    }
    return bytes;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WriteWav(const std::string& path, int milliseconds) {
    const DWORD rate = 22050;
    const DWORD dataBytes = rate * milliseconds / 1000 * 2;
    auto le32 = [](std::string& s, DWORD v) {
        for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    auto le16 = [](std::string& s, WORD v) {
        s.push_back(static_cast<char>(v & 0xFF));
        s.push_back(static_cast<char>(v >> 8));
    };
    std::string wav = "RIFF";
    le32(wav, 36 + dataBytes);
    wav += "WAVEfmt ";
    le32(wav, 16);
    le16(wav, 1);  // PCM
    le16(wav, 1);  // mono
    le32(wav, rate);
    le32(wav, rate * 2);  // bytes per second
    le16(wav, 2);         // block align
    le16(wav, 16);        // bits per sample
    wav += "data";
    le32(wav, dataBytes);
    wav.append(dataBytes, '\0');
    WriteBytes(path, wav);
}

HGLOBAL MakeDrop(const std::vector<std::string>& paths) {
    // As the shell makes it: the names in UTF-16.
    std::wstring names;
    for (const std::string& path : paths) {
        std::wstring wide(MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0), L'\0');
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
        names += wide;  // with its terminator
    }
    names.push_back(L'\0');
    const size_t bytes = names.size() * sizeof(wchar_t);
    HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + bytes);
    auto* header = static_cast<DROPFILES*>(GlobalLock(drop));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), names.data(), bytes);
    GlobalUnlock(drop);
    return drop;
}

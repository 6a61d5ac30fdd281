#include "tests/TestSupport.h"

#include <mmsystem.h>

#include "playback/Playlist.h"

#include <atomic>
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
            const bool isLink = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !isLink) {
                RemoveTree(path);
            } else if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveDirectoryA(path.c_str());
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

TempFolder::TempFolder() {
    static std::atomic<int> serial{0};
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    for (int attempt = 0; attempt < 1000; ++attempt) {
        path_ = std::string(base) + "pipit-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(serial++);
        if (CreateDirectoryA(path_.c_str(), nullptr)) {
            return;
        }
    }
    std::fprintf(stderr, "cannot create a folder under %s\n", base);
    std::abort();
}

TempFolder::~TempFolder() { RemoveTree(path_); }

std::vector<std::string> PathsOf(const Playlist& playlist) {
    std::vector<std::string> paths;
    for (const PlaylistEntry* entry = playlist.Head(); entry; entry = entry->next.get()) {
        paths.push_back(entry->path);
    }
    return paths;
}

std::string Fixture(const std::string& name) {
    std::string path = std::string(PIPIT_FIXTURES) + "/" + name;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
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
    le16(wav, 1);         // PCM
    le16(wav, 1);         // mono
    le32(wav, rate);
    le32(wav, rate * 2);  // bytes per second
    le16(wav, 2);         // block align
    le16(wav, 16);        // bits per sample
    wav += "data";
    le32(wav, dataBytes);
    wav.append(dataBytes, '\0');
    WriteBytes(path, wav);
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (condition()) {
            return true;
        }
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PumpFor(DWORD milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

int OpenMciDeviceCount() {
    char answer[64] = "";
    mciSendStringA("sysinfo all quantity open", answer, sizeof answer, nullptr);
    return std::atoi(answer);
}

NotifyWindow::NotifyWindow() {
    static const char* const kClass = "PipitTestNotifyWindow";
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClass;
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, kClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), this);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

NotifyWindow::~NotifyWindow() { DestroyWindow(window_); }

LRESULT CALLBACK NotifyWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == MM_MCINOTIFY) {
        auto* self = reinterpret_cast<NotifyWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self) {
            self->notifications.emplace_back(wParam, lParam);
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

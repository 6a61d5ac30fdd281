#include "tests/TestSupport.h"

#include <mmsystem.h>

#include "common/PrivateIds.h"
#include "playback/Playlist.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

std::vector<std::string> PathsOf(const Playlist& playlist) {
    std::vector<std::string> paths;
    for (const PlaylistEntry* entry = playlist.Head(); entry; entry = entry->next) {
        paths.emplace_back(entry->path());
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

bool PumpUntilNoticesTaken(DWORD timeoutMs) {
    return PumpUntil(
        [] {
        MSG message;
        return !PeekMessageA(&message, nullptr, MM_MCINOTIFY, MM_MCINOTIFY, PM_NOREMOVE) &&
               !PeekMessageA(&message, nullptr, WM_PLAYBACK_STOPPED, WM_PLAYBACK_STOPPED, PM_NOREMOVE);
        },
        timeoutMs);
}

namespace {

DWORD StatusOf(UINT deviceId, DWORD item) {
    MCI_STATUS_PARMS status{};
    status.dwItem = item;
    mciSendCommandA(deviceId, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&status));
    return static_cast<DWORD>(status.dwReturn);
}

}  // namespace

std::vector<std::string> OpenMciDeviceFiles() {
    std::vector<std::string> files;
    for (int i = 1; i <= OpenMciDeviceCount(); ++i) {
        char name[1024] = "";
        mciSendStringA(("sysinfo all name " + std::to_string(i) + " open").c_str(), name, sizeof name, nullptr);
        files.emplace_back(name);
    }
    std::sort(files.begin(), files.end());
    return files;
}

DWORD PositionOf(UINT deviceId) { return StatusOf(deviceId, MCI_STATUS_POSITION); }

DWORD ModeOf(UINT deviceId) { return StatusOf(deviceId, MCI_STATUS_MODE); }

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

// The floor of the listening benchmark: what MCI costs to move from one file to the next. Started
// as `bench_bare_mci.exe a b c ...`, it plays the files in order with bare mciSendCommandA calls,
// notified at its own hidden window: at the end of a file, and at the Next hotkey's message, it
// stops and closes the device, then opens the next file, sets milliseconds and plays from 0. The
// exit command stops, closes and ends it. Like the player, it keeps the MCI driver of each device
// type it opened loaded: closing a driver's last device unloads it while its own thread may still
// be finishing, which crashes under Wine.

#include <windows.h>

#include <mmsystem.h>

#include <string>
#include <vector>

#include "playback/DeviceTypes.h"
#include "playback/MciDrivers.h"

namespace {

constexpr char kClassName[] = "PipitBenchBareMci";
constexpr WPARAM kNextHotkey = 2;
constexpr UINT kExitCommand = 40007;

std::vector<std::string> files;
size_t current = 0;
MCIDEVICEID device = 0;

std::string ExtensionOf(const std::string& path) {
    const size_t dot = path.rfind('.');
    return dot == std::string::npos ? std::string() : path.substr(dot);
}

void StopAndClose() {
    if (device != 0) {
        mciSendCommandA(device, MCI_STOP, MCI_WAIT, 0);
        mciSendCommandA(device, MCI_CLOSE, MCI_WAIT, 0);
        device = 0;
    }
}

void OpenAndPlay(HWND window) {
    const char* type = DeviceTypeNameFor(ExtensionOf(files[current]));
    MCI_OPEN_PARMSA open{};
    open.lpstrDeviceType = type;
    open.lpstrElementName = files[current].c_str();
    if (!type ||
        mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&open)) != 0) {
        return;
    }
    device = open.wDeviceID;
    KeepOpenedMciDriversLoaded(type);
    MCI_SET_PARMS set{};
    set.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
    mciSendCommandA(device, MCI_SET, MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&set));
    MCI_PLAY_PARMS play{};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(window);
    play.dwFrom = 0;
    mciSendCommandA(device, MCI_PLAY, MCI_NOTIFY | MCI_FROM, reinterpret_cast<DWORD_PTR>(&play));
}

// The end of a file goes on to the next one, if any; the Next key wraps round to the first.
void MoveOn(HWND window, bool wrap) {
    StopAndClose();
    if (current + 1 < files.size()) {
        ++current;
    } else if (wrap) {
        current = 0;
    } else {
        return;
    }
    OpenAndPlay(window);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case MM_MCINOTIFY:
            if (wParam == MCI_NOTIFY_SUCCESSFUL) MoveOn(window, false);
            return 0;
        case WM_HOTKEY:
            if (wParam == kNextHotkey) MoveOn(window, true);
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kExitCommand) {
                StopAndClose();
                DestroyWindow(window);
            }
            return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    for (int i = 1; i < __argc; ++i) files.emplace_back(__argv[i]);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, kClassName, kClassName, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0,
                                  nullptr, nullptr, instance, nullptr);
    if (!window) return 0;
    if (!files.empty()) OpenAndPlay(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

// The floor of the start-up benchmark: the least a tray program does. One hidden window, one icon
// in the notification area, a message loop; the exit command removes the icon and ends it.
// Built a second time with PIPIT_BENCH_SAME_IMPORTS and pipit.exe's manifest, for the floor that
// also loads what the platform loads for pipit.exe before its first line runs.

#include <windows.h>

#include <shellapi.h>

#ifdef PIPIT_BENCH_SAME_IMPORTS
// Referenced, never called: the loader maps these libraries at start-up as it does for pipit.exe.
extern "C" __attribute__((used)) const void* const kSameImportsAsThePlayer[] = {
    reinterpret_cast<const void*>(&RegOpenKeyExA), reinterpret_cast<const void*>(&GetTextExtentPoint32A)};
#endif

namespace {

constexpr char kClassName[] = "PipitBenchTray";
constexpr UINT kIconId = 1;
constexpr UINT kExitCommand = 40007;
constexpr UINT kTrayMessage = WM_APP + 1;

NOTIFYICONDATAA IconRecord(HWND window) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = kIconId;
    return data;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == kExitCommand) {
        NOTIFYICONDATAA data = IconRecord(window);
        Shell_NotifyIconA(NIM_DELETE, &data);
        DestroyWindow(window);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    RegisterClassExA(&windowClass);
    HWND window = CreateWindowExA(0, kClassName, kClassName, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0,
                                  nullptr, nullptr, instance, nullptr);
    if (!window) {
        return 0;
    }
    NOTIFYICONDATAA data = IconRecord(window);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayMessage;
    data.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    lstrcpynA(data.szTip, kClassName, sizeof data.szTip);
    Shell_NotifyIconA(NIM_ADD, &data);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

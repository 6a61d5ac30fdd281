// The floor of the start-up benchmark: the least a tray program does. One hidden window, one icon
// in the notification area, a message loop; the exit command removes the icon and ends it.

#include <windows.h>

#include <shellapi.h>

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

// The floor of the start-up benchmark: the least a tray program does. One hidden window, one icon
// in the notification area, a message loop; the exit command removes the icon and ends it.
// Built a second time with PIPIT_BENCH_SAME_WORK and pipit.exe's resources and manifest, for the
// floor that also asks of the platform what the player must: the same libraries, the same eight
// hotkeys, its menu, its two settings read and its icon at the small size, all given back at the end.

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

#ifdef PIPIT_BENCH_SAME_WORK
struct Hotkey {
    int id;
    UINT modifiers;
    UINT key;
};
constexpr Hotkey kHotkeys[] = {
    {0, MOD_ALT, VK_NUMPAD5},    {1, MOD_ALT, VK_NUMPAD2}, {2, MOD_ALT, VK_NUMPAD6},    {3, MOD_ALT, VK_NUMPAD4},
    {4, 0, VK_MEDIA_PLAY_PAUSE}, {5, 0, VK_MEDIA_STOP},    {6, 0, VK_MEDIA_NEXT_TRACK}, {7, 0, VK_MEDIA_PREV_TRACK},
};
constexpr UINT kMenuId = 104;
constexpr UINT kSmallIconId = 102;
HMENU menu = nullptr;

bool ValueExists(const char* key, const char* name) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    const bool exists = RegQueryValueExA(opened, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(opened);
    return exists;
}

void TakeWhatThePlayerTakes(HINSTANCE instance, HWND window) {
    menu = LoadMenuA(instance, MAKEINTRESOURCEA(kMenuId));
    for (const Hotkey& hotkey : kHotkeys) RegisterHotKey(window, hotkey.id, hotkey.modifiers, hotkey.key);
    ValueExists("Software\\Microsoft\\Windows\\CurrentVersion\\Run\\", "Pipit");
    ValueExists("Software\\Larkfield\\Pipit\\", "Loop");
}

void GiveItBack(HWND window) {
    for (const Hotkey& hotkey : kHotkeys) UnregisterHotKey(window, hotkey.id);
    DestroyMenu(menu);
}

HICON TrayIcon(HINSTANCE instance) {
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(kSmallIconId), IMAGE_ICON,
                                         GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                         LR_DEFAULTCOLOR));
}
#else
void TakeWhatThePlayerTakes(HINSTANCE, HWND) {}
void GiveItBack(HWND) {}
HICON TrayIcon(HINSTANCE) { return LoadIconA(nullptr, IDI_APPLICATION); }
#endif

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == kExitCommand) {
        NOTIFYICONDATAA data = IconRecord(window);
        Shell_NotifyIconA(NIM_DELETE, &data);
        DestroyWindow(window);
        return 0;
    }
    if (message == WM_DESTROY) {
        GiveItBack(window);
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
    TakeWhatThePlayerTakes(instance, window);
    NOTIFYICONDATAA data = IconRecord(window);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayMessage;
    data.hIcon = TrayIcon(instance);
    lstrcpynA(data.szTip, kClassName, sizeof data.szTip);
    Shell_NotifyIconA(NIM_ADD, &data);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

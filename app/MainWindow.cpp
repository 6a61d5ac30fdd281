#include "app/MainWindow.h"

#include <mmsystem.h>

#include "app/AppState.h"
#include "app/Commands.h"
#include "app/HandOver.h"
#include "app/HandlerScope.h"
#include "app/Hotkeys.h"
#include "app/PathsToPlaylist.h"
#include "app/Playing.h"
#include "app/Session.h"
#include "app/TrayIcon.h"
#include "playback/PathSearch.h"
#include "resources/resource.h"

namespace {

// Broadcast to top-level windows when the taskbar is (re)created: the shell restarted, or it came
// up after the player at logon. A message-only window would not receive it. Registered with the
// window class, before the window can receive anything.
UINT taskbarCreated = 0;

LRESULT OnCreate(HWND window, WPARAM wParam, LPARAM lParam) {
    MakeLive(std::make_unique<Playlist>());
    return DefWindowProcA(window, WM_CREATE, wParam, lParam);
}

LRESULT OnDestroy(HWND window) {
    // Exit (a WM_CLOSE from outside included) stopped playback and took the icon away already; a
    // window destroyed any other way takes its icon along here, and leaves no device open.
    if (TrayIconAdded()) {
        StopPlayback();
        RemoveTrayIcon(window);
    }
    UnregisterPlayerHotkeys(window);
    ForgetPlayback();
    ForgetPathSearches();
    ForgetSession();
    ForgetHandOvers();
    DestroyMenu(g_menu);
    g_menu = nullptr;
    EndLivePlaylist();
    PostQuitMessage(0);
    return 0;
}

LRESULT OnPaint(HWND window) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    EndPaint(window, &paint);
    return 0;
}

}  // namespace

ATOM RegisterMainWindowClass(HINSTANCE instance) {
    taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PIPIT_LARGE));
    windowClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PIPIT_SMALL));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = g_className;
    return RegisterClassExA(&windowClass);
}

HWND CreateMainWindow(HINSTANCE instance) {
    // Never shown: it only receives messages.
    return CreateWindowExA(0, g_className, g_title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0, nullptr,
                           nullptr, instance, nullptr);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const HandlerScope scope;
    switch (message) {
        case WM_CREATE: return OnCreate(window, wParam, lParam);
        case WM_CLOSE: return OnClose(window);
        case WM_ENDSESSION: return OnEndSession(window, wParam);
        case WM_DESTROY: return OnDestroy(window);
        case WM_PAINT: return OnPaint(window);
        case WM_COMMAND: return OnCommand(window, wParam, lParam);
        case WM_TRAYNOTIFY: return OnTrayNotify(window, wParam, lParam);
        case WM_HOTKEY: return OnHotkey(window, wParam, lParam);
        case MM_MCINOTIFY: return OnMciNotify(window, wParam, lParam);
        case WM_TIMER: return OnTimer(window, wParam, lParam);
        case WM_COPYDATA: return OnCopyData(window, wParam, lParam);
        case WM_PATHS_FOUND: return OnPathsFound(window);
        case WM_PLAYBACK_STOPPED: OnPlaybackStopped(); return 0;
        case WM_OPEN_AHEAD: OnOpenAheadMessage(); return 0;
        default: break;
    }
    if (message == taskbarCreated && taskbarCreated != 0) {
        RestoreTrayIcon(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

#include "app/StartUp.h"

#include "app/AppState.h"
#include "app/Hotkeys.h"
#include "app/MainWindow.h"
#include "app/PlayOrder.h"
#include "app/Settings.h"
#include "app/TrayIcon.h"
#include "app/TrayMenu.h"
#include "app/Volume.h"
#include "resources/resource.h"

void LoadTitles(HINSTANCE instance) {
    LoadStringA(instance, IDS_APP_TITLE, g_title, sizeof g_title);
    LoadStringA(instance, IDS_APP_TITLE, g_className, sizeof g_className);
}

HWND StartUp(HINSTANCE instance) {
    if (!g_title[0]) {
        LoadTitles(instance);  // loaded already where the program looked for a running copy first
    }
    RegisterMainWindowClass(instance);
    g_instance = instance;

    HWND window = CreateMainWindow(instance);
    if (!window) {
        return nullptr;
    }
    g_menu = LoadMenuA(instance, MAKEINTRESOURCEA(IDM_TRAY_MENU));
    RegisterPlayerHotkeys(window);

    g_runAtStartup = ReadRunAtStartup();
    SetMenuCheck(IDM_LOAD_AT_STARTUP, g_runAtStartup);
    g_loop = ReadLoop();
    SetMenuCheck(IDM_LOOP, g_loop);
    g_playlist->SetLoop(g_loop);
    SetShuffle(ReadShuffle());
    SetMenuCheck(IDM_SHUFFLE, g_shuffle);
    SetPlayerVolume(ReadVolume());

    AddTrayIcon(window);
    return window;
}

int RunMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

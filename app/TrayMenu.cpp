#include "app/TrayMenu.h"

#include "app/AppState.h"

void ShowTrayMenu(HWND window) {
    POINT cursor{};
    GetCursorPos(&cursor);
    HMENU popup = GetSubMenu(g_menu, 0);
    // The menu closes when the user clicks elsewhere only if its owner is the foreground window.
    SetForegroundWindow(window);
    {
        const ModalLoopScope waiting;
        TrackPopupMenu(popup, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, window, nullptr);
    }
    // Makes the next click after the menu reach its target instead of being eaten by the closed menu.
    PostMessageA(window, WM_NULL, 0, 0);
}

void SetMenuCheck(UINT commandId, int on) {
    CheckMenuItem(g_menu, commandId, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

#include "app/Hotkeys.h"

void RegisterPlayerHotkeys(HWND window) {
    RegisterHotKey(window, kHotkeyPlay, MOD_ALT, VK_NUMPAD5);
    RegisterHotKey(window, kHotkeyStop, MOD_ALT, VK_NUMPAD2);
    RegisterHotKey(window, kHotkeyNext, MOD_ALT, VK_NUMPAD6);
    RegisterHotKey(window, kHotkeyPrevious, MOD_ALT, VK_NUMPAD4);
}

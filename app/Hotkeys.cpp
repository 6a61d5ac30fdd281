#include "app/Hotkeys.h"

namespace {

struct Hotkey {
    HotkeyId id;
    UINT modifiers;
    UINT key;
};

constexpr Hotkey kHotkeys[] = {
    {kHotkeyPlay, MOD_ALT, VK_NUMPAD5},         {kHotkeyStop, MOD_ALT, VK_NUMPAD2},
    {kHotkeyNext, MOD_ALT, VK_NUMPAD6},         {kHotkeyPrevious, MOD_ALT, VK_NUMPAD4},
    {kHotkeyPlayPause, 0, VK_MEDIA_PLAY_PAUSE}, {kHotkeyMediaStop, 0, VK_MEDIA_STOP},
    {kHotkeyMediaNext, 0, VK_MEDIA_NEXT_TRACK}, {kHotkeyMediaPrevious, 0, VK_MEDIA_PREV_TRACK},
};

}  // namespace

void RegisterPlayerHotkeys(HWND window) {
    for (const Hotkey& hotkey : kHotkeys) {
        RegisterHotKey(window, hotkey.id, hotkey.modifiers, hotkey.key);
    }
}

void UnregisterPlayerHotkeys(HWND window) {
    for (const Hotkey& hotkey : kHotkeys) {
        UnregisterHotKey(window, hotkey.id);
    }
}

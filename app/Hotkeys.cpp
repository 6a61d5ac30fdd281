#include "app/Hotkeys.h"

namespace {

struct Hotkey {
    HotkeyId id;
    UINT modifiers;
    UINT key;
};

// A key held down repeats; without MOD_NOREPEAT each repeat would toggle playback again.
constexpr Hotkey kKeypadHotkeys[] = {
    {kHotkeyPlay, MOD_ALT | MOD_NOREPEAT, VK_NUMPAD5}, {kHotkeyStop, MOD_ALT | MOD_NOREPEAT, VK_NUMPAD2},
    {kHotkeyNext, MOD_ALT | MOD_NOREPEAT, VK_NUMPAD6}, {kHotkeyPrevious, MOD_ALT | MOD_NOREPEAT, VK_NUMPAD4},
    {kHotkeyVolumeUp, MOD_ALT | MOD_NOREPEAT, VK_ADD}, {kHotkeyVolumeDown, MOD_ALT | MOD_NOREPEAT, VK_SUBTRACT},
};
constexpr Hotkey kMediaKeys[] = {
    {kHotkeyPlayPause, MOD_NOREPEAT, VK_MEDIA_PLAY_PAUSE},
    {kHotkeyMediaStop, MOD_NOREPEAT, VK_MEDIA_STOP},
    {kHotkeyMediaNext, MOD_NOREPEAT, VK_MEDIA_NEXT_TRACK},
    {kHotkeyMediaPrevious, MOD_NOREPEAT, VK_MEDIA_PREV_TRACK},
};

HWND hotkeyWindow = nullptr;
bool mediaKeysHeld = false;

}  // namespace

void RegisterPlayerHotkeys(HWND window) {
    hotkeyWindow = window;
    mediaKeysHeld = false;
    for (const Hotkey& hotkey : kKeypadHotkeys) {
        RegisterHotKey(window, hotkey.id, hotkey.modifiers, hotkey.key);
    }
}

void HoldMediaKeys(bool hold) {
    if (hold == mediaKeysHeld || !IsWindow(hotkeyWindow)) {
        return;
    }
    mediaKeysHeld = hold;
    for (const Hotkey& hotkey : kMediaKeys) {
        if (hold) {
            RegisterHotKey(hotkeyWindow, hotkey.id, hotkey.modifiers, hotkey.key);
        } else {
            UnregisterHotKey(hotkeyWindow, hotkey.id);
        }
    }
}

void UnregisterPlayerHotkeys(HWND window) {
    HoldMediaKeys(false);
    for (const Hotkey& hotkey : kKeypadHotkeys) {
        UnregisterHotKey(window, hotkey.id);
    }
    hotkeyWindow = nullptr;
}

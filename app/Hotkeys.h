#pragma once

#include <windows.h>

// The system-wide hotkeys; the id is the WM_HOTKEY wParam. Alt with a key of the numeric keypad,
// and the media keys of keyboards and headsets with no modifier.
enum HotkeyId : int {
    kHotkeyPlay = 0,
    kHotkeyStop = 1,
    kHotkeyNext = 2,
    kHotkeyPrevious = 3,
    kHotkeyPlayPause = 4,
    kHotkeyMediaStop = 5,
    kHotkeyMediaNext = 6,
    kHotkeyMediaPrevious = 7,
};

// Registers them on the window. A key that another program already holds (another player, for the
// media keys) is simply not available; the others still work.
void RegisterPlayerHotkeys(HWND window);
// Gives them back.
void UnregisterPlayerHotkeys(HWND window);

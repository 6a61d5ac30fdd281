#pragma once

#include <windows.h>

// The four system-wide hotkeys, Alt with a key of the numeric keypad; the id is the WM_HOTKEY wParam.
enum HotkeyId : int { kHotkeyPlay = 0, kHotkeyStop = 1, kHotkeyNext = 2, kHotkeyPrevious = 3 };

// Registers them on the window. A hotkey that another program already holds is simply not available.
void RegisterPlayerHotkeys(HWND window);

#pragma once

#include <windows.h>

#include "common/PrivateIds.h"

// The system-wide hotkeys (their ids are in common/PrivateIds.h): Alt with a key of the numeric
// keypad, and the media keys of keyboards and headsets with no modifier.
// Registers them on the window. A key that another program already holds (another player, for the
// media keys) is simply not available; the others still work.
void RegisterPlayerHotkeys(HWND window);
// Gives them back.
void UnregisterPlayerHotkeys(HWND window);

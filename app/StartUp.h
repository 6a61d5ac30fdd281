#pragma once

#include <windows.h>

// Everything before the message loop: title, window class, the hidden main window (and with it the
// playlist), the tray menu, the hotkeys, both settings and the tray icon. Returns the main window,
// or null when it could not be created.
HWND StartUp(HINSTANCE instance);

// Runs the message loop until the main window is destroyed; returns the quit message's code.
int RunMessageLoop();

#pragma once

#include <windows.h>

// Loads the window title and class name (both the program's name) into g_title and g_className.
void LoadTitles(HINSTANCE instance);

// Everything before the message loop: title, window class, the hidden main window (and with it the
// playlist), the tray menu, the hotkeys, both settings and the tray icon. Returns the main window,
// or null when it could not be created.
HWND StartUp(HINSTANCE instance);

// Runs the message loop until the main window is destroyed; returns the quit message's code.
int RunMessageLoop();

#pragma once

#include <windows.h>

// Registers the main window's class (named g_className) with the program's icons.
ATOM RegisterMainWindowClass(HINSTANCE instance);
// Creates the hidden main window; its creation makes the playlist. Null when it cannot be created.
HWND CreateMainWindow(HINSTANCE instance);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

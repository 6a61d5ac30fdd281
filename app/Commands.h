#pragma once

#include <windows.h>

// The dispatch of everything the user does and of the media notifications, one handler per
// message of the main window. Each returns what the window procedure returns.

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT OnTrayNotify(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT OnHotkey(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT OnMciNotify(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT OnTimer(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT OnClose(HWND window);
LRESULT OnEndSession(HWND window, WPARAM ending);

#pragma once

#include <windows.h>

// Shows the tray popup (the first submenu of g_menu) at the cursor; the choice arrives as WM_COMMAND.
void ShowTrayMenu(HWND window);
// Sets or clears the check mark of a menu command.
void SetMenuCheck(UINT commandId, int on);

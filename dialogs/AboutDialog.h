#pragma once

#include <windows.h>

// The About box (template 103): fixed texts and a Close button.
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

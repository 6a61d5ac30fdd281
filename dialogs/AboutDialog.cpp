#include "dialogs/AboutDialog.h"

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: return TRUE;  // the focus goes to the Close button
        case WM_COMMAND:
            // Close and Enter (Close is the default button) end it with 8; Esc and the close box with 2.
            if (LOWORD(wParam) == IDCLOSE || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        default: return FALSE;
    }
}

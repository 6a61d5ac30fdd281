#include "dialogs/PlaylistDialog.h"

INT_PTR CALLBACK PlaylistDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

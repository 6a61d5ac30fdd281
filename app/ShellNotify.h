#pragma once

#include <windows.h>

#include <shellapi.h>

// The one door to the notification area. The program passes straight through to
// Shell_NotifyIconA; the tray tip tests link a recorder here instead, since Wine shows no tip.
BOOL SendTrayMessage(DWORD message, NOTIFYICONDATAA* data);

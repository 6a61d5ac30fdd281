#include "app/ShellNotify.h"

BOOL SendTrayMessage(DWORD message, NOTIFYICONDATAA* data) { return Shell_NotifyIconA(message, data); }

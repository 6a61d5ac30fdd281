#pragma once

#include <windows.h>

#include <mmsystem.h>

// The one door through which the player talks to MCI. The program passes straight through to
// mciSendCommandA; the tests that check the exact command traffic link a recorder here instead.
MCIERROR SendMciCommand(MCIDEVICEID deviceId, UINT message, DWORD_PTR flags, DWORD_PTR parameters);

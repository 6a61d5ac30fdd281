#include "playback/MciCommand.h"

#include "common/SystemLibrary.h"

MCIERROR SendMciCommand(MCIDEVICEID deviceId, UINT message, DWORD_PTR flags, DWORD_PTR parameters) {
    // winmm is loaded with the first command, not at start-up.
    static LateBound<decltype(mciSendCommandA)> send("winmm.dll", "mciSendCommandA");
    return send.Get() ? send.Get()(deviceId, message, flags, parameters) : MCIERR_DEVICE_NOT_INSTALLED;
}

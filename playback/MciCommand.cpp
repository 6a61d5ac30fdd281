#include "playback/MciCommand.h"

#include "common/SystemLibrary.h"

MCIERROR SendMciCommand(MCIDEVICEID deviceId, UINT message, DWORD_PTR flags, DWORD_PTR parameters) {
    // winmm is loaded with the first command, not at start-up; a load that failed is tried again
    // with the next command.
    static decltype(mciSendCommandA)* send = nullptr;
    if (!send) {
        send = SystemFunction<decltype(mciSendCommandA)>("winmm.dll", "mciSendCommandA");
    }
    return send ? send(deviceId, message, flags, parameters) : MCIERR_DEVICE_NOT_INSTALLED;
}

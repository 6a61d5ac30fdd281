#include "playback/MciCommand.h"

MCIERROR SendMciCommand(MCIDEVICEID deviceId, UINT message, DWORD_PTR flags, DWORD_PTR parameters) {
    return mciSendCommandA(deviceId, message, flags, parameters);
}

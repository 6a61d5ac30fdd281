#include "tests/RecordingMci.h"

#include "playback/MciCommand.h"

RecordingMci g_recordingMci;

MCIERROR SendMciCommand(MCIDEVICEID deviceId, UINT message, DWORD_PTR flags, DWORD_PTR parameters) {
    MciCall call{deviceId, message, flags, parameters != 0, "", "", 0, 0, 0, 0};
    MCIERROR answer = 0;
    if (!g_recordingMci.answers.empty()) {
        answer = g_recordingMci.answers.front();
        g_recordingMci.answers.pop_front();
    }
    if (message == MCI_OPEN && parameters) {
        auto* open = reinterpret_cast<MCI_OPEN_PARMSA*>(parameters);
        call.deviceType = open->lpstrDeviceType ? open->lpstrDeviceType : "";
        call.elementName = open->lpstrElementName ? open->lpstrElementName : "";
        if (answer == 0) {
            open->wDeviceID = g_recordingMci.nextDeviceId++;
        }
    } else if (message == MCI_SET && parameters) {
        call.timeFormat = reinterpret_cast<MCI_SET_PARMS*>(parameters)->dwTimeFormat;
    } else if (message == MCI_STATUS && parameters) {
        auto* status = reinterpret_cast<MCI_STATUS_PARMS*>(parameters);
        call.statusItem = status->dwItem;
        status->dwReturn = status->dwItem == MCI_STATUS_MODE ? g_recordingMci.mode : 0;
    } else if (message == MCI_PLAY && parameters) {
        auto* play = reinterpret_cast<MCI_PLAY_PARMS*>(parameters);
        call.callback = play->dwCallback;
        call.from = play->dwFrom;
    }
    g_recordingMci.calls.push_back(call);
    return answer;
}

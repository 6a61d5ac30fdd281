#include "tests/RecordingTray.h"

#include "app/ShellNotify.h"

RecordingTray g_recordingTray;

BOOL SendTrayMessage(DWORD message, NOTIFYICONDATAA* data) {
    g_recordingTray.calls.push_back({message, *data});
    return message == NIM_ADD ? g_recordingTray.addAnswer : TRUE;
}

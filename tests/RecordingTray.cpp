#include "tests/RecordingTray.h"

#include "app/ShellNotify.h"

RecordingTray g_recordingTray;

BOOL SendTrayMessage(DWORD message, NOTIFYICONDATAA* data) {
    g_recordingTray.calls.push_back({message, *data});
    if (message == NIM_MODIFY && g_recordingTray.duringNextTip) {
        const auto during = std::move(g_recordingTray.duringNextTip);
        g_recordingTray.duringNextTip = nullptr;
        during();
    }
    return message == NIM_ADD ? g_recordingTray.addAnswer : TRUE;
}

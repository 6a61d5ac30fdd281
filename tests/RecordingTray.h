#pragma once

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

// Stands in for the notification area in the tray tip tests: records each message with its record.
struct TrayCall {
    DWORD message;
    NOTIFYICONDATAA data;
    std::string Tip() const { return data.szTip; }
};

struct RecordingTray {
    std::vector<TrayCall> calls;
    BOOL addAnswer = TRUE;  // what NIM_ADD returns
    // Run once, in the middle of the next change of the tip, as a message another program sends
    // is handled while the tray is being told.
    std::function<void()> duringNextTip;
};

extern RecordingTray g_recordingTray;

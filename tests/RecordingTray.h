#pragma once

#include <windows.h>

#include <shellapi.h>

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
};

extern RecordingTray g_recordingTray;

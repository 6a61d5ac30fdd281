#pragma once

#include <windows.h>

#include <mmsystem.h>

#include <deque>
#include <string>
#include <vector>

// Stands in for MCI in the traffic tests: records each command with the record fields the player
// filled in, and answers from a script (0, with the next device id, when the script is empty).
struct MciCall {
    MCIDEVICEID deviceId;
    UINT message;
    DWORD_PTR flags;
    bool hasRecord;
    std::string deviceType;   // MCI_OPEN
    std::string elementName;  // MCI_OPEN
    DWORD timeFormat;         // MCI_SET
    DWORD_PTR callback;       // MCI_PLAY
    DWORD from;               // MCI_PLAY
    DWORD_PTR statusItem;     // MCI_STATUS
};

struct RecordingMci {
    std::vector<MciCall> calls;
    std::deque<MCIERROR> answers;  // what the next commands return
    MCIDEVICEID nextDeviceId = 1;  // handed out by accepted opens
    DWORD mode = MCI_MODE_PAUSE;   // what a status of the mode answers
};

extern RecordingMci g_recordingMci;

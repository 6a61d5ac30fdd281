#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "common/PrivateIds.h"

// The paths the program was started with ("Open with", files dragged onto pipit.exe or a shortcut
// to it, pipit.exe song.mp3): each argument after the program's own name, made a full path in this
// process's folder and code page. Empty arguments are left out.
std::vector<std::string> PathsFromCommandLine(int argc, char** argv);

// Holds off a second copy started with paths until the first has its window, so that two started
// at once do not both become the running Pipit.
class StartUpLock {
public:
    StartUpLock();
    ~StartUpLock();
    StartUpLock(const StartUpLock&) = delete;
    StartUpLock& operator=(const StartUpLock&) = delete;

private:
    HANDLE mutex_;
    bool held_ = false;
};

// Hands the paths to a Pipit that already runs in this session (WM_COPYDATA to its main window,
// found by class and title); false when none runs or it would not take them.
bool HandToRunningCopy(HINSTANCE instance, const std::vector<std::string>& paths);

// What WM_COPYDATA carries (tagged kOpenPathsData): each path followed by a NUL.
std::string PackPaths(const std::vector<std::string>& paths);
// The paths of any bytes that claim to be such a list; empty ones are left out.
std::vector<std::string> UnpackPaths(std::string_view packed);

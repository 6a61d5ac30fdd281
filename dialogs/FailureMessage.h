#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The message for a playlist file that could not be read or written: what did not happen, the
// file's path, and the system's own reason for the error code.
std::string FileFailureText(std::string_view whatFailed, const std::string& path, DWORD error);

// Shows that message in a box owned by the window, and returns when the user has closed it.
void ShowFileFailure(HWND owner, std::string_view whatFailed, const std::string& path, DWORD error);

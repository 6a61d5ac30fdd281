#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// A path of the process code page as a full path in wide characters, as GetFullPathNameW makes it
// at any length. The empty text (the reason left for GetLastError) when it cannot be made full.
std::wstring FullPath(std::string_view path);

// A path of the process code page as the platform's wide-character calls take it at any length:
// made full, and in the \\?\ form where it names a file on a drive or a network share, the form
// that is not held to MAX_PATH characters. The empty text (the reason left for GetLastError) when
// it cannot be made full.
std::wstring LongPath(std::string_view path);

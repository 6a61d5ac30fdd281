#pragma once

#include "common/PathLimits.h"

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

// Whether the text, a path in the process code page, has more characters than any path can.
bool LongerThanAnyPath(std::string_view text);

// A text that a platform call writes into a buffer of the size it is given, as GetFullPathNameW does:
// it answers the length written, or, where the buffer is too small, the size it needs (terminator
// included), and is asked again with that room. The empty text where it answers 0 (the reason left
// for GetLastError).
std::wstring WideTextOfAnyLength(const std::function<DWORD(wchar_t* buffer, DWORD size)>& write);

// A path of the process code page as a full path in wide characters, as GetFullPathNameW makes it
// at any length. The empty text (the reason left for GetLastError) when it cannot be made full.
std::wstring FullPath(std::string_view path);

// A path of the process code page as the platform's wide-character calls take it at any length:
// made full, and in the \\?\ form where it names a file on a drive or a network share, the form
// that is not held to MAX_PATH characters. The empty text (the reason left for GetLastError) when
// it cannot be made full.
std::wstring LongPath(std::string_view path);

#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The most characters (UTF-16 units) a path can have, in the long form that takes any length, and
// the most bytes it can take in an 8-bit code page: three for a character in UTF-8, two at most
// in any other.
constexpr size_t kLongestPath = 32767;
constexpr size_t kLongestPathBytes = 3 * kLongestPath;

// Whether the text, a path in the process code page, has more characters than any path can.
bool LongerThanAnyPath(std::string_view text);

// A path of the process code page as a full path in wide characters, as GetFullPathNameW makes it
// at any length. The empty text (the reason left for GetLastError) when it cannot be made full.
std::wstring FullPath(std::string_view path);

// A path of the process code page as the platform's wide-character calls take it at any length:
// made full, and in the \\?\ form where it names a file on a drive or a network share, the form
// that is not held to MAX_PATH characters. The empty text (the reason left for GetLastError) when
// it cannot be made full.
std::wstring LongPath(std::string_view path);

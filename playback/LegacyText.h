#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// Whether the bytes are well-formed UTF-8.
bool IsUtf8(std::string_view text);

// A line of a playlist file as a path in the process's code page. Where the process works in UTF-8
// and the line is not UTF-8, it was written in the system's legacy ANSI code page (by an older
// program, or before the switch to UTF-8) and is converted; otherwise it is taken as it stands.
std::string PathFromLine(std::string_view line, UINT processCodePage, UINT legacyCodePage);

// The system's legacy ANSI code page, whatever code page this process was given.
UINT LegacyAnsiCodePage();

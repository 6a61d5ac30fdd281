#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// Whether the bytes are well-formed UTF-8.
bool IsUtf8(std::string_view text);

// A line of a playlist file as a path in the process's code page. Where the process works in UTF-8
// and the line is not UTF-8, it was written in the system's legacy ANSI code page (by an older
// program, or before the switch to UTF-8) and is converted into `converted`; otherwise the line is
// taken as it stands.
std::string_view PathFromLine(std::string_view line, UINT processCodePage, UINT legacyCodePage, std::string& converted);

// Text from one code page in another, kept in `converted`; characters the second lacks become its
// default character. Where the two are the same, the text itself.
std::string_view InCodePage(std::string_view text, UINT from, UINT to, std::string& converted);
// Text between the wide characters of the platform's "W" calls and an 8-bit code page.
std::string NarrowText(const std::wstring& text, UINT codePage);
std::wstring WideText(std::string_view text, UINT codePage);

// The system's legacy ANSI code page, whatever code page this process was given.
UINT LegacyAnsiCodePage();

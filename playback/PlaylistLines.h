#pragma once

#include <cstdio>
#include <functional>
#include <string_view>

// Reads a playlist file's text and hands each non-empty line to onLine, in file order:
// - a line ends at LF; a CR directly before that LF belongs to the line end, any other CR is text;
// - the last line may lack its line end;
// - a byte 0x1A ends the data;
// - a line's text ends at its first NUL byte;
// - a line of any length comes whole.
// A read error ends the text as the end of the file would. Plain C++, no platform calls.
void ReadPlaylistLines(std::FILE* file, const std::function<void(std::string_view)>& onLine);

#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// Where the file name starts in a path: just past its last backslash, or 0 when it has none.
// The path is walked by character in the given code page.
size_t FileNameOffset(std::string_view path, UINT codePage);

// What a list shows for a path: its file name whole, unless the name has MAX_PATH characters or
// more, which no file the platform opens has (a stray line of a playlist, a long address). Such a
// name is shown by its start and its end around "...", kept in `shortened`, so that no item is too
// long to list, measure and draw.
std::string_view ListedName(std::string_view path, UINT codePage, std::string& shortened);

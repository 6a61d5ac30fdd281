#pragma once

#include <windows.h>

#include <string_view>

// Where the file name starts in a path: just past its last backslash, or 0 when it has none.
// The path is walked by character in the given code page, since in double-byte code pages the
// byte 0x5C can be the second half of a character and is no backslash there.
size_t FileNameOffset(std::string_view path, UINT codePage);

#pragma once

#include <functional>
#include <string>
#include <string_view>

// Reads the whole file a piece at a time, handing each piece to `piece`, which returns false to
// read no further. The file is shared as a C runtime stream shares it: other programs may read and
// write it meanwhile. False, with the system's reason for GetLastError, when the file cannot be
// opened or a read fails part-way.
bool ReadInPieces(const std::string& path, const std::function<bool(std::string_view)>& piece);

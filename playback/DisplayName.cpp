#include "playback/DisplayName.h"

size_t FileNameOffset(std::string_view path, UINT codePage) {
    size_t nameStart = 0;
    size_t i = 0;
    while (i < path.size()) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (c == '\\') {
            nameStart = i + 1;
            ++i;
        } else if (c >= 0x80 && IsDBCSLeadByteEx(codePage, c)) {
            i += 2;  // the trail byte is part of this character
        } else {
            ++i;
        }
    }
    return nameStart;
}

#pragma once

#include <algorithm>
#include <string_view>

// Letter case in ASCII text: file name extensions and the keys of playlist files are ASCII. A byte
// of any other character (0x80 and above, a lead or trail byte too) is never a letter here, so the
// fold gives the same answer as one that takes each character of a code page whole.
constexpr char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether the text is the lower-case text, letter case ignored.
constexpr bool SameLettersAscii(std::string_view text, std::string_view lowerCase) {
    return text.size() == lowerCase.size() &&
           std::equal(text.begin(), text.end(), lowerCase.begin(), [](char a, char b) { return LowerAscii(a) == b; });
}

#pragma once

#include <cstddef>

// The most characters (UTF-16 units) a path can have, in the long form that takes any length, and
// the most bytes it can take in an 8-bit code page: three for a character in UTF-8, two at most
// in any other. No platform header here: the playlist reader is also built natively, for fuzzing.
constexpr size_t kLongestPath = 32767;
constexpr size_t kLongestPathBytes = 3 * kLongestPath;

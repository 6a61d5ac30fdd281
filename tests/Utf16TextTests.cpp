#include "common/Utf16Text.h"

#include <gtest/gtest.h>

// Into UTF-8, where a surrogate pair is one four-byte character: cut anywhere by the end of a
// piece, even inside one of its units, it is completed by the next piece.
TEST(Utf16Decoder, APairCutByTheEndOfAPieceBecomesItsOneUtf8Character) {
    const std::string littleEndian("D\0:\0\x34\xD8\x1E\xDD\xE9\0", 10), expected = "D:\xF0\x9D\x84\x9E\xC3\xA9";
    for (size_t cut = 0; cut <= littleEndian.size(); ++cut) {
        Utf16Decoder decoder(false, CP_UTF8);
        std::string decoded(decoder.Decode(littleEndian.substr(0, cut)));
        decoded += decoder.Decode(littleEndian.substr(cut));
        EXPECT_EQ(decoded + std::string(decoder.Finish()), expected) << "cut at byte " << cut;
    }
}

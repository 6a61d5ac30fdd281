#include "common/LegacyText.h"

#include <gtest/gtest.h>

TEST(IsUtf8, AcceptsWellFormedTextOnly) {
    EXPECT_TRUE(IsUtf8(""));
    EXPECT_TRUE(IsUtf8("C:\\Music\\plain.mp3"));
    EXPECT_TRUE(IsUtf8("caf\xc3\xa9 \xe6\x97\xa5\xe6\x9c\xac \xf0\x9f\x8e\xb5"));
    EXPECT_FALSE(IsUtf8("caf\xe9.wav"));       // Latin-1
    EXPECT_FALSE(IsUtf8("\x82\xa0.mp3"));      // Shift-JIS
    EXPECT_FALSE(IsUtf8("\xc3"));              // cut short
    EXPECT_FALSE(IsUtf8("\xc0\xaf"));          // overlong
    EXPECT_FALSE(IsUtf8("\xed\xa0\x80"));      // a surrogate
    EXPECT_FALSE(IsUtf8("\xf4\x90\x80\x80"));  // past U+10FFFF
    // ASCII is passed over eight bytes at a time: a wrong byte at any place among them is still seen,
    // and a character may straddle the step.
    for (size_t at = 0; at < 17; ++at) {
        std::string text(17, 'a');
        text[at] = '\xe9';
        EXPECT_FALSE(IsUtf8(text)) << at;
        text.replace(at, 1, "\xc3\xa9");
        EXPECT_TRUE(IsUtf8(text)) << at;
    }
}

TEST(PathFromLine, ConvertsLegacyLinesOnlyWhereTheProcessWorksInUtf8) {
    std::string converted;
    EXPECT_EQ(PathFromLine("C:\\caf\xe9.wav", CP_UTF8, 1252, converted), "C:\\caf\xc3\xa9.wav");
    EXPECT_EQ(PathFromLine("C:\\\x82\xa0.mp3", CP_UTF8, 932, converted), "C:\\\xe3\x81\x82.mp3");
    EXPECT_EQ(PathFromLine("C:\\caf\xc3\xa9.wav", CP_UTF8, 1252, converted), "C:\\caf\xc3\xa9.wav");
    // A process still in its legacy code page takes every line as it stands.
    EXPECT_EQ(PathFromLine("C:\\caf\xe9.wav", 1252, 1252, converted), "C:\\caf\xe9.wav");
}

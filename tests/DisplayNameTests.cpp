#include "playback/DisplayName.h"

#include <gtest/gtest.h>

#include <string>

TEST(FileNameOffset, FindsTheLastBackslashByCharacter) {
    EXPECT_EQ(FileNameOffset("D:\\Music\\a.mp3", 1252), 9u);
    EXPECT_EQ(FileNameOffset("a.mp3", 1252), 0u);
    EXPECT_EQ(FileNameOffset("D:\\Music\\", 1252), 9u);
    // In code page 932 the character 0x95 0x5C ends in the byte of a backslash. The name after
    // "C:\" is the whole of it, not just ".mp3".
    EXPECT_EQ(FileNameOffset("C:\\\x95\x5C.mp3", 932), 3u);
    EXPECT_EQ(FileNameOffset("C:\\\x95\x5C\\\x95\x5C.mp3", 932), 6u);
    // The same bytes in a single-byte code page do hold a backslash.
    EXPECT_EQ(FileNameOffset("C:\\\x95\x5C.mp3", 1252), 5u);
}

// Names of fewer than MAX_PATH characters are listed whole, whatever their bytes; from MAX_PATH
// characters on, by their two ends.
TEST(ListedName, ShortensFromMaxPathCharactersOn) {
    std::string shortened;
    for (const auto& [character, codePage] : {std::pair<std::string, UINT>{"n", 1252}, {"\xe6\x97\xa5", CP_UTF8}}) {
        std::string below, at;
        for (int i = 0; i < MAX_PATH - 1; ++i) below += character;
        at = below + character;
        EXPECT_EQ(ListedName("C:\\" + below, codePage, shortened), below);
        const std::string path = "C:\\" + at;
        const std::string_view listed = ListedName(path, codePage, shortened);
        EXPECT_NE(listed, at);
        EXPECT_NE(listed.find("..."), std::string_view::npos);
        EXPECT_LT(listed.size(), at.size());
    }
}

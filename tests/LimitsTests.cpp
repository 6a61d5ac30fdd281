// Names and trees at the limits: each loads, or is skipped, as the player promises, and nothing
// hangs. The times are printed for the reader; no test depends on them.
#include "playback/FolderSearch.h"
#include "playback/Playlist.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

namespace {

class Limits : public ::testing::Test {
protected:
    Playlist playlist_;
};

// False when the file could not be made, so that a test at a limit cannot pass without it.
bool Touch(const std::string& path) { return WriteBytes(path, ""); }

double SecondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

TEST_F(Limits, PathsOf259CharactersAreFoundSavedAndLoadedWhole) {
    TempFolder root;
    std::string folder = root.Path() + "\\" + std::string(200 - root.Path().size(), 'f');
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string file = folder + "\\" + std::string(259 - folder.size() - 5, 'n') + ".wav";
    ASSERT_EQ(file.size(), 259u);
    ASSERT_TRUE(Touch(file)) << "the platform would not make a file of 259 characters";
    AddFolder(playlist_, root.Path() + "\\");
    ASSERT_EQ(playlist_.GetCount(), 1);
    EXPECT_EQ(playlist_.Head()->path(), root.Path() + "\\" + file.substr(root.Path().size() + 1));

    ASSERT_EQ(playlist_.Save(root / "long.ppl"), 1);
    Playlist loaded;
    ASSERT_EQ(loaded.Load(root / "long.ppl"), 1);
    ASSERT_EQ(loaded.GetCount(), 1);
    EXPECT_EQ(loaded.Head()->path(), playlist_.Head()->path());
}

TEST_F(Limits, AHundredLevelDeepTreeIsSearchedToTheBottom) {
    TempFolder root;
    std::string folder = root.Path();
    for (int level = 1; level <= 100; ++level) {
        folder += "\\d";
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << level;
        if (level % 25 == 0) {
            ASSERT_TRUE(Touch(folder + "\\level" + std::to_string(level) + ".mp3"));
        }
    }
    AddFolder(playlist_, root.Path() + "\\");
    EXPECT_EQ(playlist_.GetCount(), 4);
}

TEST_F(Limits, AFolderOfFiftyThousandFilesIsAddedWhole) {
    SKIP_WITHOUT_FIXTURES();
    const double seconds = SecondsOf([&] { AddFolder(playlist_, Fixture("many") + "\\"); });
    EXPECT_EQ(playlist_.GetCount(), 45000);
    std::printf("      folder of 50,000 files searched in %.2f s\n", seconds);
}

TEST_F(Limits, ASymbolicLinkLoopIsSearchedOnce) {
    SKIP_WITHOUT_FIXTURES();
    AddFolder(playlist_, Fixture("linkloop") + "\\");
    ASSERT_EQ(playlist_.GetCount(), 1);
    EXPECT_EQ(playlist_.Head()->path(), Fixture("linkloop") + "\\inner\\song.wav");
}

TEST_F(Limits, APlaylistFileOfAMillionLinesLoads) {
    TempFolder root;
    std::string bytes;
    for (int i = 0; i < 1000000; ++i) {
        bytes += "C:\\Music\\Album " + std::to_string(i % 977) + "\\Track " + std::to_string(i) + ".mp3\r\n";
    }
    WriteBytes(root / "million.ppl", bytes);
    Playlist playlist;
    const double seconds = SecondsOf([&] { ASSERT_EQ(playlist.Load(root / "million.ppl"), 1); });
    EXPECT_EQ(playlist.GetCount(), 1000000);
    playlist.SetCurrent(1000000);
    EXPECT_EQ(playlist.CurrentPath(), "C:\\Music\\Album " + std::to_string(999999 % 977) + "\\Track 999999.mp3");
    std::printf("      a million lines loaded in %.2f s\n", seconds);
}

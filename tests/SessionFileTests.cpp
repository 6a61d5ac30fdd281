// The kept session's file and the reading of long lines: what a session or playlist file gives
// back, and what no file can make the player hold.
#include "playback/Playlist.h"
#include "playback/PlaylistLines.h"
#include "playback/SessionFile.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <psapi.h>

namespace {

using Lines = std::vector<std::string>;

// The playlist of a session file of these bytes; none where there is no session to bring back.
std::unique_ptr<Playlist> ReadSession(const std::string& bytes) {
    TempFolder folder;
    WriteBytes(folder / "session.txt", bytes);
    return ReadSessionFile(folder / "session.txt").playlist;
}

SIZE_T PeakCommitted() {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakPagefileUsage;
}

}  // namespace

// The current entry comes back whichever it was, the last included; "current N" counts the file's
// path lines, so that lines the player does not take (a session edited by hand) do not move it to
// another entry, and 0 stands for the first.
TEST(SessionFile, TheEntryThatWasCurrentComesBack) {
    Playlist playlist;
    for (const char* path : {"C:\\a.wav", "C:\\b.mp3", "C:\\c.wav"}) playlist.Add(path);
    TempFolder folder;
    for (int current = 1; current <= 3; ++current) {
        playlist.SetCurrent(current);
        ASSERT_TRUE(WriteSessionFile(folder / "session.txt", playlist));
        const auto back = ReadSessionFile(folder / "session.txt").playlist;
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(PathsOf(*back), PathsOf(playlist));
        EXPECT_EQ(back->Current(), current);
    }
    const std::string head = "Pipit session 1\r\ncurrent ";  // a file of the first version: no position
    EXPECT_EQ(ReadSession(head + "0\r\nC:\\a.wav\r\nC:\\b.wav\r\n")->Current(), 1);
    const auto edited = ReadSession(head + "4\r\nC:\\a.wav\r\nC:\\notes.txt\r\n\r\nC:\\b.wav\r\nC:\\c.wav\r\n");
    EXPECT_EQ(edited->CurrentPath(), "C:\\c.wav");
    const auto dropped = ReadSession(head + "2\r\nC:\\a.wav\r\nC:\\notes.txt\r\nC:\\b.wav\r\n");
    EXPECT_EQ(dropped->CurrentPath(), "C:\\b.wav") << "the line that was current is gone: the one after it";
    EXPECT_EQ(ReadSession(head + "9\r\nC:\\a.wav\r\nC:\\b.wav\r\n")->Current(), 2);
    EXPECT_EQ(ReadSession(head + "1\r\n")->Current(), 0);
    EXPECT_EQ(ReadSession("Pipit session 1\r\nC:\\a.wav\r\n"), nullptr) << "no current line";
    EXPECT_EQ(ReadSession(""), nullptr);
    EXPECT_EQ(ReadSession("Pipit session 3\r\ncurrent 1\r\nposition 0\r\nC:\\a.wav\r\n"), nullptr) << "newer";
}

// The position in the current entry is kept with it; a file without one (of the first version)
// brings its entry back at its beginning.
TEST(SessionFile, ThePositionInTheCurrentEntryIsKept) {
    Playlist playlist;
    for (const char* path : {"C:\\talk.mp3", "C:\\book.mp3"}) playlist.Add(path);
    playlist.SetCurrent(2);
    TempFolder folder;
    ASSERT_TRUE(WriteSessionFile(folder / "session.txt", playlist, 4321000));
    EXPECT_EQ(ReadBytes(folder / "session.txt"),
              "Pipit session 2\r\ncurrent 2\r\nposition 4321000\r\nC:\\talk.mp3\r\nC:\\book.mp3\r\n");
    const KeptSession back = ReadSessionFile(folder / "session.txt");
    ASSERT_NE(back.playlist, nullptr);
    EXPECT_EQ(back.playlist->Current(), 2);
    EXPECT_EQ(back.positionMs, 4321000u);
    WriteBytes(folder / "session.txt", "Pipit session 1\r\ncurrent 2\r\nC:\\talk.mp3\r\nC:\\book.mp3\r\n");
    EXPECT_EQ(ReadSessionFile(folder / "session.txt").positionMs, 0u);
    EXPECT_EQ(ReadSessionFile(folder / "session.txt").playlist->Current(), 2);
}

// No line of a playlist or session file is longer than a path can be (32,767 characters); a longer
// one is passed over as it is read, and never held whole, however long.
TEST(LongLines, ALineLongerThanAnyPathIsPassedOverWithoutBeingHeld) {
    const std::string longest = "C:\\" + std::string(32767 - 7, 'p') + ".mp3";
    const std::string tooLong = "C:\\" + std::string(32767 - 6, 'p') + ".mp3";
    TempFolder folder;
    WriteBytes(folder / "list.ppl", "a.mp3\r\n" + tooLong + "\r\n" + longest + "\r\nb.mp3\r\n");
    Playlist playlist;
    ASSERT_EQ(playlist.Load(folder / "list.ppl"), 1);
    EXPECT_EQ(PathsOf(playlist), (Lines{folder / "a.mp3", longest, folder / "b.mp3"}));

    // Three hundred megabytes in one line, as a reader takes them, in pieces.
    Lines lines;
    PlaylistLineSplitter splitter([&](std::string_view line) { lines.emplace_back(line); });
    const std::string piece(64 * 1024, 'x');
    const SIZE_T before = PeakCommitted();
    splitter.Feed("a.mp3\n", 6);
    for (int i = 0; i < 300 * 16; ++i) splitter.Feed(piece.data(), piece.size());
    splitter.Feed(".mp3\nb.mp3", 10);
    splitter.Finish();
    EXPECT_EQ(lines, (Lines{"a.mp3", "b.mp3"}));
    EXPECT_LT(PeakCommitted() - before, SIZE_T{8} << 20) << "the long line was held";

    const std::string session = "Pipit session 1\r\ncurrent 2\r\nC:\\a.wav\r\n" + tooLong + "\r\nC:\\b.wav\r\n";
    EXPECT_EQ(PathsOf(*ReadSession(session)), (Lines{"C:\\a.wav", "C:\\b.wav"}));
}

#include "playback/NextPlayTiming.h"
#include "playback/Playlist.h"

#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

Playlist& WithEntries(Playlist& playlist, int count) {
    for (int i = 1; i <= count; ++i) {
        playlist.Add("D:\\Music\\" + std::to_string(i) + ".mp3");
    }
    return playlist;
}

}  // namespace

TEST(PlaylistAdd, AcceptsByExtensionOnly) {
    Playlist playlist;
    playlist.Add("D:\\Music\\Song.MP3");
    playlist.Add("D:\\Music\\NoDot");
    playlist.Add("D:\\Old.Dir\\Readme");
    playlist.Add("D:\\Old.Dir\\Song.wav");
    playlist.Add("D:\\Music\\notes.txt");
    playlist.Add(std::string("D:\\Music\\Song.MP3"));  // the same path twice gives two entries
    ASSERT_EQ(playlist.GetCount(), 3);
    EXPECT_EQ(PathsOf(playlist),
              (std::vector<std::string>{"D:\\Music\\Song.MP3", "D:\\Old.Dir\\Song.wav", "D:\\Music\\Song.MP3"}));
    EXPECT_EQ(playlist.Head()->deviceType(), "MPEGVideo2");
    EXPECT_EQ(playlist.Head()->next->deviceType(), "WaveAudio");
    EXPECT_EQ(playlist.Head()->deviceId, 0u);
}

TEST(PlaylistAdd, FirstAcceptedEntryBecomesCurrentAndLaterOnesLeaveIt) {
    Playlist playlist;
    EXPECT_EQ(playlist.Current(), 0);
    EXPECT_EQ(playlist.CurrentPath(), "");
    playlist.Add("C:\\a.txt");
    EXPECT_EQ(playlist.Current(), 0);
    playlist.Add("C:\\b.wav");
    playlist.Add("C:\\c.mid");
    EXPECT_EQ(playlist.GetCount(), 2);
    EXPECT_EQ(playlist.Current(), 1);
    EXPECT_EQ(playlist.CurrentPath(), "C:\\b.wav");

    playlist.Add("C:\\d.avi");
    playlist.SetCurrent(2);
    playlist.Add("C:\\e.avi");
    EXPECT_EQ(playlist.GetCount(), 4);
    EXPECT_EQ(playlist.Current(), 2);
    EXPECT_EQ(playlist.CurrentPath(), "C:\\c.mid");
}

TEST(PlaylistStepping, NextWrapsAndReportsWhetherToGoOn) {
    Playlist playlist;
    WithEntries(playlist, 3);
    playlist.SetCurrent(2);
    EXPECT_EQ(playlist.Next(), 1);
    EXPECT_EQ(playlist.Current(), 3);
    EXPECT_EQ(playlist.Next(), 0);  // wrapped with loop off
    EXPECT_EQ(playlist.Current(), 1);

    playlist.SetLoop(7);  // any nonzero flag loops, and Next answers exactly 1
    playlist.SetCurrent(3);
    EXPECT_EQ(playlist.Next(), 1);
    EXPECT_EQ(playlist.Current(), 1);
}

TEST(PlaylistStepping, PrevWrapsToTheLastWhateverTheLoopFlag) {
    for (int loop : {0, 1}) {
        Playlist playlist;
        WithEntries(playlist, 3);
        playlist.SetLoop(loop);
        EXPECT_EQ(playlist.Prev(), 0);
        EXPECT_EQ(playlist.Current(), 3);
        EXPECT_EQ(playlist.Prev(), 1);
        EXPECT_EQ(playlist.Current(), 2);
    }
}

TEST(PlaylistStepping, OneEntryStaysCurrent) {
    Playlist playlist;
    WithEntries(playlist, 1);
    EXPECT_EQ(playlist.Next(), 0);
    EXPECT_EQ(playlist.Current(), 1);
    playlist.SetLoop(1);
    EXPECT_EQ(playlist.Next(), 1);
    EXPECT_EQ(playlist.Current(), 1);
    EXPECT_EQ(playlist.Prev(), 0);
    EXPECT_EQ(playlist.Current(), 1);
}

TEST(PlaylistStepping, FromNoCurrentEntry) {
    Playlist playlist;
    WithEntries(playlist, 3);
    EXPECT_EQ(playlist.SetCurrent(0), 1);
    EXPECT_EQ(playlist.CurrentPath(), "");
    EXPECT_EQ(playlist.Next(), 1);
    EXPECT_EQ(playlist.Current(), 1);
    playlist.SetCurrent(0);
    EXPECT_EQ(playlist.Prev(), 0);
    EXPECT_EQ(playlist.Current(), 3);
}

TEST(PlaylistStepping, EmptyPlaylistAndStalePositionsStayInRange) {
    Playlist empty;
    EXPECT_EQ(empty.Next(), 0);
    EXPECT_EQ(empty.Current(), 0);
    EXPECT_EQ(empty.Prev(), 0);
    EXPECT_EQ(empty.Current(), 0);

    Playlist playlist;
    WithEntries(playlist, 3);
    playlist.SetCurrent(9);  // as a stale list in the Playlist dialog could ask
    EXPECT_EQ(playlist.CurrentPath(), "");
    EXPECT_EQ(playlist.Next(), 0);
    EXPECT_EQ(playlist.Current(), 1);
    playlist.SetCurrent(9);
    playlist.Prev();
    EXPECT_EQ(playlist.Current(), 3);
}

TEST(PlaylistScale, HundredThousandEntriesAreBuiltAndReleasedWithoutDeepRecursion) {
    // Destroying a chain by recursion this deep would overflow the 1 MiB main thread stack.
    auto playlist = std::make_unique<Playlist>();
    WithEntries(*playlist, 100000);
    EXPECT_EQ(playlist->GetCount(), 100000);
    playlist->SetCurrent(100000);
    EXPECT_EQ(playlist->CurrentPath(), "D:\\Music\\100000.mp3");
    playlist.reset();
}

// Taking entries out and moving them keeps the current entry on the same file, and the position
// never past the playlist.
TEST(Playlist, EntriesTakenOutOrMovedKeepTheCurrentFileAndThePositionWithinThePlaylist) {
    Playlist playlist;
    for (const char* path : {"a.mp3", "b.mp3", "c.mp3", "d.mp3"}) playlist.Add(path);
    playlist.SetCurrent(3);
    ASSERT_EQ(playlist.Remove(1), 1);  // before the current one
    EXPECT_EQ(playlist.CurrentPath(), "c.mp3");
    EXPECT_EQ(playlist.Current(), 2);
    ASSERT_EQ(playlist.Remove(2), 1);  // the current one: the one after it
    EXPECT_EQ(playlist.CurrentPath(), "d.mp3");
    ASSERT_EQ(playlist.Remove(2), 1);  // the current and last: the one before it
    EXPECT_EQ(playlist.CurrentPath(), "b.mp3");
    EXPECT_EQ(PathsOf(playlist), std::vector<std::string>{"b.mp3"});
    EXPECT_EQ(playlist.Tail(), playlist.Head());
    EXPECT_EQ(playlist.Remove(2), 0);
    ASSERT_EQ(playlist.Remove(1), 1);
    EXPECT_EQ(playlist.Current(), 0);
    EXPECT_EQ(playlist.Head(), nullptr);
    EXPECT_EQ(playlist.Tail(), nullptr);

    for (const char* path : {"a.mp3", "b.mp3", "c.mp3"}) playlist.Add(path);
    EXPECT_EQ(playlist.Current(), 1);
    ASSERT_EQ(playlist.Move(1, 1), 1);
    EXPECT_EQ(PathsOf(playlist), (std::vector<std::string>{"b.mp3", "a.mp3", "c.mp3"}));
    EXPECT_EQ(playlist.CurrentPath(), "a.mp3");
    ASSERT_EQ(playlist.Move(3, -1), 1);
    EXPECT_EQ(PathsOf(playlist), (std::vector<std::string>{"b.mp3", "c.mp3", "a.mp3"}));
    EXPECT_EQ(playlist.CurrentPath(), "a.mp3");
    EXPECT_EQ(playlist.Current(), 3);
    EXPECT_EQ(playlist.Move(3, 1), 0);
    EXPECT_EQ(playlist.Move(1, -1), 0);
    playlist.Add("d.mp3");
    EXPECT_EQ(PathsOf(playlist).back(), "d.mp3") << "the last entry after a move is the tail";
}

// The next entry is started so that its first sample follows the last of the entry that plays:
// at the entry's length, less the time the next device takes to sound, plus the time the ending
// one goes on sounding, as measured on Wine for wave and MPEG devices. Without a length, or for
// devices whose delays were not measured, there is no time: the end-of-play notice starts it.
TEST(NextPlayDue, FollowsTheEndOfTheEntryByTheDelaysOfBothDevicesOrIsLeftToTheNotice) {
    EXPECT_EQ(NextPlayDue("WaveAudio", "WaveAudio", 3000, true), 3000u);
    EXPECT_EQ(NextPlayDue("WaveAudio", "MPEGVideo2", 3000, true), 2748u) << "an MPEG device sounds late";
    EXPECT_EQ(NextPlayDue("MPEGVideo", "MPEGVideo2", 3000, true), 2852u);
    EXPECT_EQ(NextPlayDue("MPEGVideo2", "WaveAudio", 3000, true), 3105u) << "an MPEG device ends late";
    EXPECT_EQ(NextPlayDue("WaveAudio", "MPEGVideo", 100, true), 0u) << "at once, for an entry shorter than the lead";
    EXPECT_EQ(NextPlayDue("MPEGVideo", "WaveAudio", 3000, false), 3000u) << "elsewhere: at its length";
    EXPECT_EQ(NextPlayDue("WaveAudio", "WaveAudio", 0, true), std::nullopt) << "no length";
    EXPECT_EQ(NextPlayDue("Sequencer", "WaveAudio", 3000, true), std::nullopt);
    EXPECT_EQ(NextPlayDue("WaveAudio", "avivideo", 3000, true), std::nullopt);
}

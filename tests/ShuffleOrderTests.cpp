// The shuffled order of play, with a fixed seed: each round a permutation of the playlist, Previous
// retracing it, and the playlist's edits followed.
#include "playback/Playlist.h"
#include "playback/ShuffleOrder.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

constexpr unsigned kSeed = 1234;

void Fill(Playlist& playlist, int count) {
    for (int i = 0; i < count; ++i) playlist.Add("C:\\" + std::to_string(i) + ".wav");
}

// Plays on in the order from the current entry, as the end of each entry does: the entries heard.
std::vector<const PlaylistEntry*> PlayOn(ShuffleOrder& order, Playlist& playlist, int count, bool& wrapped) {
    std::vector<const PlaylistEntry*> heard;
    wrapped = false;
    for (int i = 0; i < count; ++i) {
        order.Follow(playlist, 1);
        bool newRound = false;
        const PlaylistEntry* next = order.Advance(newRound);
        wrapped = wrapped || newRound;
        playlist.SetCurrent(playlist.PositionOf(next));
        heard.push_back(next);
    }
    return heard;
}

}  // namespace

TEST(ShuffleOrder, EachRoundPlaysEveryEntryOnceAndANewRoundNeverBeginsWithTheEntryJustHeard) {
    for (unsigned seed = kSeed; seed < kSeed + 20; ++seed) {
        Playlist playlist;
        Fill(playlist, 7);
        ShuffleOrder order(seed);
        std::vector<const PlaylistEntry*> round = {playlist.CurrentEntry()};
        bool wrapped = false;
        const std::vector<const PlaylistEntry*> rest = PlayOn(order, playlist, 6, wrapped);
        EXPECT_FALSE(wrapped);
        round.insert(round.end(), rest.begin(), rest.end());
        EXPECT_EQ(std::set<const PlaylistEntry*>(round.begin(), round.end()).size(), 7u) << "seed " << seed;
        for (int rounds = 0; rounds < 3; ++rounds) {
            const std::vector<const PlaylistEntry*> next = PlayOn(order, playlist, 7, wrapped);
            EXPECT_TRUE(wrapped);
            EXPECT_NE(next.front(), round.back()) << "seed " << seed;
            EXPECT_EQ(std::set<const PlaylistEntry*>(next.begin(), next.end()).size(), 7u) << "seed " << seed;
            round = next;
        }
    }
}

TEST(ShuffleOrder, PreviousRetracesTheOrderAndNextGoesOnAlongItAgain) {
    Playlist playlist;
    Fill(playlist, 6);
    ShuffleOrder order(kSeed);
    bool wrapped = false;
    std::vector<const PlaylistEntry*> heard = {playlist.CurrentEntry()};
    const std::vector<const PlaylistEntry*> forward = PlayOn(order, playlist, 4, wrapped);
    heard.insert(heard.end(), forward.begin(), forward.end());
    for (int back = 3; back >= 0; --back) {
        order.Follow(playlist, 1);
        const PlaylistEntry* before = order.GoBack();
        ASSERT_EQ(before, heard[static_cast<size_t>(back)]);
        playlist.SetCurrent(playlist.PositionOf(before));
    }
    order.Follow(playlist, 1);
    EXPECT_EQ(order.GoBack(), nullptr) << "nothing was heard before the first";
    EXPECT_EQ(PlayOn(order, playlist, 4, wrapped), forward) << "on again, the same way";
}

TEST(ShuffleOrder, EntriesAddedJoinTheRoundTakenOutLeaveItAndAChosenOneIsWhereTheOrderGoesOn) {
    Playlist playlist;
    Fill(playlist, 4);
    ShuffleOrder order(kSeed);
    bool wrapped = false;
    const PlaylistEntry* first = playlist.CurrentEntry();
    const PlaylistEntry* second = PlayOn(order, playlist, 1, wrapped).front();
    playlist.Add("C:\\added.wav");
    const PlaylistEntry* added = playlist.Tail();
    order.Follow(playlist, 1);
    const PlaylistEntry* takenOut = order.Peek(false);
    ASSERT_NE(takenOut, added);
    playlist.Remove(playlist.PositionOf(takenOut));
    // The one left of the first four, chosen in the Playlist dialog: played, the order goes on from it.
    const PlaylistEntry* chosen = nullptr;
    for (const PlaylistEntry* entry = playlist.Head(); entry; entry = entry->next) {
        if (entry != first && entry != second && entry != added) chosen = entry;
    }
    ASSERT_NE(chosen, nullptr);
    playlist.SetCurrent(playlist.PositionOf(chosen));
    EXPECT_EQ(PlayOn(order, playlist, 1, wrapped), std::vector<const PlaylistEntry*>{added}) << "the added entry";
    EXPECT_FALSE(wrapped);
    order.Follow(playlist, 1);
    EXPECT_EQ(order.Peek(false), nullptr) << "the round is over: the entry taken out left it";

    order.Follow(playlist, 2);  // another playlist: afresh, from its current entry
    EXPECT_NE(order.Peek(false), playlist.CurrentEntry());
}

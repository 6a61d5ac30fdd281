#pragma once

#include <deque>
#include <random>
#include <unordered_set>
#include <vector>

class Playlist;
class PlaylistEntry;

// The order in which a playlist's entries play with Shuffle on: rounds in which each entry comes
// once, in a random order; a new round's first entry is never the one just heard (where there are
// two entries or more). Entries are known by themselves, not by their position, so that moves in
// the Playlist dialog change nothing of the order. The order follows the playlist: entries added
// join the rest of the round at random places, entries taken out leave it, and an entry made
// current otherwise (a double-click) is taken as played, the order going on from it.
class ShuffleOrder {
public:
    explicit ShuffleOrder(unsigned seed) : random_(seed) {}

    // Takes the playlist as it stands. A playlist other than the one followed so far (by its
    // generation), or a restart, begins afresh: the current entry heard, the others to come.
    void Follow(const Playlist& playlist, unsigned generation);
    void Restart() { playlist_ = nullptr; }

    // The entry that comes next, without going there: the next of the round; at its end, with
    // `newRound`, the first of a new round (made now, and kept), else none.
    const PlaylistEntry* Peek(bool newRound);
    // Goes on to the entry that comes next, beginning a new round at the round's end; `newRound`
    // tells whether it did.
    const PlaylistEntry* Advance(bool& newRound);
    // Goes back to the entry heard before the current one, which goes back to the rest of the
    // round; none when no entry was heard before it.
    const PlaylistEntry* GoBack();

private:
    void Reconcile(const Playlist& playlist);
    void Heard(const PlaylistEntry* entry);
    void NewRound();

    std::mt19937 random_;
    const Playlist* playlist_ = nullptr;
    unsigned generation_ = 0;
    unsigned edits_ = 0;
    std::deque<const PlaylistEntry*> toCome_;                 // the rest of the round, the next first
    std::unordered_set<const PlaylistEntry*> playedInRound_;  // heard in this round, the current one too
    std::vector<const PlaylistEntry*> heard_;                 // every entry heard, the current one last
};

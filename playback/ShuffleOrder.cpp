#include "playback/ShuffleOrder.h"

#include <algorithm>

#include "playback/Playlist.h"

namespace {

// Entries heard are kept for Previous up to this many; older ones are forgotten.
constexpr size_t kHeardKept = 10000;

}  // namespace

void ShuffleOrder::Follow(const Playlist& playlist, unsigned generation) {
    if (playlist_ != &playlist || generation_ != generation) {
        playlist_ = &playlist;
        generation_ = generation;
        edits_ = playlist.Edits();
        toCome_.clear();
        playedInRound_.clear();
        heard_.clear();
        for (const PlaylistEntry* entry = playlist.Head(); entry; entry = entry->next) {
            toCome_.push_back(entry);
        }
        std::shuffle(toCome_.begin(), toCome_.end(), random_);
    } else if (edits_ != playlist.Edits()) {
        edits_ = playlist.Edits();
        Reconcile(playlist);
    }
    // An entry made current otherwise than by this order: the order goes on from it.
    const PlaylistEntry* current = playlist.CurrentEntry();
    if (current && (heard_.empty() || heard_.back() != current)) {
        Heard(current);
    }
}

void ShuffleOrder::Reconcile(const Playlist& playlist) {
    std::unordered_set<const PlaylistEntry*> inPlaylist;
    for (const PlaylistEntry* entry = playlist.Head(); entry; entry = entry->next) {
        inPlaylist.insert(entry);
    }
    const auto gone = [&](const PlaylistEntry* entry) { return inPlaylist.count(entry) == 0; };
    std::erase_if(toCome_, gone);
    std::erase_if(playedInRound_, gone);
    std::erase_if(heard_, gone);
    for (const PlaylistEntry* entry = playlist.Head(); entry; entry = entry->next) {
        if (playedInRound_.count(entry) == 0 && std::find(toCome_.begin(), toCome_.end(), entry) == toCome_.end()) {
            const auto place = std::uniform_int_distribution<size_t>(0, toCome_.size())(random_);
            toCome_.insert(toCome_.begin() + static_cast<std::ptrdiff_t>(place), entry);
        }
    }
}

void ShuffleOrder::Heard(const PlaylistEntry* entry) {
    const auto coming = std::find(toCome_.begin(), toCome_.end(), entry);
    if (coming != toCome_.end()) {
        toCome_.erase(coming);
    }
    playedInRound_.insert(entry);
    heard_.push_back(entry);
    if (heard_.size() > kHeardKept) {
        heard_.erase(heard_.begin(), heard_.begin() + static_cast<std::ptrdiff_t>(kHeardKept / 2));
    }
}

void ShuffleOrder::NewRound() {
    toCome_.assign(playedInRound_.begin(), playedInRound_.end());
    playedInRound_.clear();
    std::sort(toCome_.begin(), toCome_.end());  // the set's order is its own: the shuffle alone decides
    std::shuffle(toCome_.begin(), toCome_.end(), random_);
    if (toCome_.size() >= 2 && !heard_.empty() && toCome_.front() == heard_.back()) {
        const auto other = std::uniform_int_distribution<size_t>(1, toCome_.size() - 1)(random_);
        std::swap(toCome_.front(), toCome_[other]);
    }
}

const PlaylistEntry* ShuffleOrder::Peek(bool newRound) {
    if (toCome_.empty()) {
        if (!newRound || playedInRound_.empty()) {
            return nullptr;
        }
        NewRound();
    }
    return toCome_.front();
}

const PlaylistEntry* ShuffleOrder::Advance(bool& newRound) {
    newRound = toCome_.empty();
    const PlaylistEntry* next = Peek(true);
    if (next) {
        Heard(next);
    }
    return next;
}

const PlaylistEntry* ShuffleOrder::GoBack() {
    if (heard_.size() < 2) {
        return nullptr;
    }
    const PlaylistEntry* current = heard_.back();
    heard_.pop_back();
    playedInRound_.erase(current);
    toCome_.push_front(current);
    const PlaylistEntry* before = heard_.back();
    // Heard in an earlier round, it comes again in this one: it is heard now.
    const auto coming = std::find(toCome_.begin() + 1, toCome_.end(), before);
    if (coming != toCome_.end()) {
        toCome_.erase(coming);
    }
    playedInRound_.insert(before);
    return before;
}

#include "app/PlayOrder.h"

#include <random>

#include "app/AppState.h"
#include "playback/ShuffleOrder.h"

namespace {

// Seeded anew at every start, so that every run shuffles otherwise.
ShuffleOrder& Order() {
    static ShuffleOrder order{std::random_device{}()};
    return order;
}

ShuffleOrder& Shuffled() {
    Order().Follow(*g_playlist, LivePlaylistGeneration());
    return Order();
}

void MakeCurrent(const PlaylistEntry* entry) { g_playlist->SetCurrent(g_playlist->PositionOf(entry)); }

}  // namespace

int StepForward() {
    if (!g_shuffle || g_playlist->GetCount() == 0) {
        return g_playlist->Next();
    }
    bool newRound = false;
    MakeCurrent(Shuffled().Advance(newRound));
    return newRound && !g_loop ? 0 : 1;
}

void StepBack() {
    if (g_shuffle && g_playlist->GetCount() > 0) {
        if (const PlaylistEntry* before = Shuffled().GoBack()) {
            MakeCurrent(before);
            return;
        }
    }
    g_playlist->Prev();
}

bool AtTheEnd() {
    if (!g_shuffle) {
        return g_playlist->Current() >= g_playlist->GetCount();
    }
    return Shuffled().Peek(false) == nullptr;
}

int PositionAfterCurrent() {
    const int count = g_playlist->GetCount();
    const int current = g_playlist->Current();
    if (count <= 1 || current < 1 || current > count) {
        return 0;
    }
    if (g_shuffle) {
        const PlaylistEntry* next = Shuffled().Peek(g_loop != 0);
        return next ? g_playlist->PositionOf(next) : 0;
    }
    if (current < count) {
        return current + 1;
    }
    return g_loop ? 1 : 0;
}

void SetShuffle(bool on) {
    g_shuffle = on ? 1 : 0;
    Order().Restart();
}

#pragma once

// Which entry plays after which: the playlist's own order, or with Shuffle on, the shuffled order
// of playback/ShuffleOrder.h, which this file keeps for the live playlist.

// Makes the entry after the current one current: the next in the list, from the last to the first;
// with Shuffle, the next of the round, from a round's end to a new round. Returns 0 where it began
// again that way with Loop off (the end of an entry stops there), 1 otherwise.
int StepForward();
// Makes the entry before the current one current: the one before in the list, from the first to
// the last; with Shuffle, the entry heard before it (the list's order where none was).
void StepBack();
// Whether the current entry is the last before the order begins again.
bool AtTheEnd();
// The position of the entry that plays when the current one ends by itself, 0 for none.
int PositionAfterCurrent();
// Shuffle on or off; turned on, a round begins from the current entry.
void SetShuffle(bool on);

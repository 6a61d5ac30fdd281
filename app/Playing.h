#pragma once

#include <windows.h>

// The main window's timer that drives a search for a playable entry, a turn at a time, so that the
// tray, the hotkeys and any open dialog are answered in between.
constexpr UINT_PTR kPlayableSearchTimer = 1;

// Takes the next turn of the search; called on the search timer.
void ContinuePlayableSearch(HWND window);

// Whether a command is still looking for an entry that plays.
bool PlayableSearchUnderWay();

// Forgets a search when the window goes, whose timer goes with it.
void ForgetPlayableSearch();

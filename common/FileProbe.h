#pragma once

#include <windows.h>

#include <string>

// Whether the file exists, asked on a thread of the system's pool, so that a path on a share that
// does not answer (a network drive switched off, a disconnected mapping) holds the caller no longer
// than the wait. An answer that does not come in time counts as no.
bool FileAnswersWithin(const std::string& path, DWORD waitMs);

// How long the player waits to learn whether an entry's file is there, before it plays the entry or
// opens its device ahead: an entry that does not answer in this time is taken as one that cannot
// play this round.
constexpr DWORD kFileAnswerMs = 250;

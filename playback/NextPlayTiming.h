#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

// When the next entry's device, opened and made ready ahead, is to be played so that its first
// sample is heard as the last one of the entry that plays ends: milliseconds after that entry's play
// was started from its beginning. None where it is not known (no length, or devices whose start and
// end were not measured): the end-of-play notice then starts the next entry, as it always did.
//
// With `measuredLeads`, the start and end delays measured on this platform for each kind of device
// are taken into account; without, the next entry starts at the entry's length.
std::optional<DWORD> NextPlayDue(std::string_view endingType, std::string_view nextType, DWORD lengthMs,
                                 bool measuredLeads);

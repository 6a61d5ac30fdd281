#pragma once

// Whether the program runs on Wine rather than on Windows itself. Wine's devices start and end
// their sound with other delays than Windows' and honour other volume controls; the player times
// and sets them by what was measured there, and leaves Windows' own to Windows.
bool RunningOnWine();

// The platform's records differ in size between the 32-bit and the 64-bit build.
constexpr bool kSixtyFourBit = sizeof(void*) == 8;

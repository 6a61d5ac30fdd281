#pragma once

#include <windows.h>

// Pipit's own volume, in percent of the amplitude of what it plays (50 % is half the amplitude, 6 dB
// less), for everything it plays and nothing else. On Windows it is the program's own audio session,
// which the mixer's master volume of a program is, and which the system's volume mixer shows for
// Pipit; both kinds of device play into it. Under Wine that reaches the wave devices only, and the
// MPEG devices are each given the volume of their own as well.

// Sets the volume now, also of what plays, and checks it in the Volume submenu.
void SetPlayerVolume(int percent);
// A step of 10 % up or down, held within 0 and 100 %; the tip shows the volume for a moment.
void StepPlayerVolume(HWND window, int steps);
// The Volume submenu's command for a percentage, and the percentage of a command (-1 for another).
UINT VolumeCommand(int percent);
int VolumeOfCommand(UINT command);

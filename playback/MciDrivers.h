#pragma once

// Keeps the MCI drivers that the player has opened devices with loaded for the rest of the process.
// A driver plays on a thread of its own, which may still be finishing its last lines when the device
// is closed right after its end-of-play notice; closing the last device of a driver unloads it, and
// that thread would then run on in code no longer there (seen under Wine as a crash in mciwave.dll).
void KeepOpenedMciDriversLoaded();

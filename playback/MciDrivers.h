#pragma once

// Keeps the MCI driver that the player has just opened a device with loaded for the rest of the
// process. A driver plays on a thread of its own, which may still be finishing its last lines when
// the device is closed right after its end-of-play notice; closing the last device of a driver
// unloads it, and that thread would then run on in code no longer there (seen under Wine as a crash
// in mciwave.dll). The device type is the device type table's own text: a type seen before costs
// nothing, since the look-up of drivers that are not loaded costs the loader's time on every open.
void KeepOpenedMciDriversLoaded(const char* deviceType);

#pragma once

// The volume that the player gives each MPEG device it opens, as MCI's "setaudio ... volume" takes
// it: 0 to 1000, in proportion to the sound's amplitude. For a platform where the program's own
// volume does not reach those devices (their sound goes its own way, as under Wine); 1000, as a
// device opens, sends nothing.
void SetMpegDeviceVolume(int permille);
int MpegDeviceVolume();

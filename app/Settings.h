#pragma once

// The settings, kept in the current user's registry. Load at Startup and Loop by the presence of
// one value each: reads return 1 when the value exists, else 0; writes store the value when on,
// delete it when off. Shuffle as a DWORD 1 when on, deleted when off; the volume as a DWORD of 0 to
// 100, where a missing or other value means 100.

int ReadRunAtStartup();
int ReadLoop();
int ReadShuffle();
int ReadVolume();
void WriteRunAtStartup(int on);
void WriteLoop(int on);
void WriteShuffle(int on);
void WriteVolume(int percent);

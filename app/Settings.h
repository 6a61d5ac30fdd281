#pragma once

// The two settings, kept in the current user's registry by the presence of one value each.
// Reads return 1 when the value exists, else 0. Writes store the value when on, delete it when off.

int ReadRunAtStartup();
int ReadLoop();
void WriteRunAtStartup(int on);
void WriteLoop(int on);

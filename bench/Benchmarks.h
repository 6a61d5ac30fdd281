#pragma once

// Each benchmark measures one subject of the player against a floor measured in the same run and
// returns its rows of the table.

#include <string>
#include <vector>

#include "bench/Inputs.h"
#include "bench/Results.h"

std::vector<Row> BenchPlaylistLoad(const TempFolder& scratch);
std::vector<Row> BenchPlaylistSave(const TempFolder& scratch);
std::vector<Row> BenchPlaylistDialog(const TempFolder& scratch);
std::vector<Row> BenchFolderDrop(const TempFolder& scratch);
// programFolder holds pipit.exe and the minimal tray program bench_tray.exe.
std::vector<Row> BenchStartAndExit(const std::string& programFolder);
// Also starts the shell in this process, and ends it again.
std::vector<Row> BenchAtRest(const std::string& programFolder);
// Starts the shell in this process; run it after everything that needs no shell.
std::vector<Row> BenchEndOfEntry(const TempFolder& scratch);
std::vector<Row> BenchPlaylistMemory();
// Starts the shell in this process, and ends it again.
std::vector<Row> BenchSearchWhileAnswering(const TempFolder& scratch);

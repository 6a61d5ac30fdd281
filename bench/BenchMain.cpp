// Runs the benchmarks (all, or those named by their keys: load save dialog folder startup rest
// memory search mci) and prints one table of ratios against floors measured in the same run.
// Writes the time per entry of Load and of the Playlist dialog to bench-per-entry.dat in the
// current folder, for the plot.

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "bench/Benchmarks.h"

namespace {

std::string FolderOfThisProgram() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\'));
}

void Append(std::vector<Row>& rows, const std::vector<Row>& more) { rows.insert(rows.end(), more.begin(), more.end()); }

// With no argument every benchmark runs; otherwise only those whose key is among the arguments.
bool Chosen(const char* key, int argc, char** argv) {
    if (argc < 2) {
        return true;
    }
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], key) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<Row> rows;
    {
        TempFolder scratch("pipit-bench-");
        if (Chosen("load", argc, argv)) Append(rows, BenchPlaylistLoad(scratch));
        if (Chosen("save", argc, argv)) Append(rows, BenchPlaylistSave(scratch));
        if (Chosen("dialog", argc, argv)) Append(rows, BenchPlaylistDialog(scratch));
        if (Chosen("folder", argc, argv)) Append(rows, BenchFolderDrop(scratch));
        if (Chosen("startup", argc, argv)) Append(rows, BenchStartAndExit(FolderOfThisProgram()));
        if (Chosen("rest", argc, argv)) Append(rows, BenchAtRest(FolderOfThisProgram()));
        if (Chosen("memory", argc, argv)) Append(rows, BenchPlaylistMemory());
        if (Chosen("search", argc, argv)) Append(rows, BenchSearchWhileAnswering(scratch));
        if (Chosen("mci", argc, argv)) Append(rows, BenchEndOfEntry(scratch));
    }
    PrintTable(rows, "Each time is the median of its repetitions; Ratio = Time / Floor time.");
    WritePerEntryData(rows, {"Playlist::Load", "Playlist dialog opened and shown"}, "bench-per-entry.dat");
    return 0;
}

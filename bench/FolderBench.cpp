// A folder tree dropped on the Playlist dialog (AddFolder into the playlist), against a bare walk
// of the same tree.

#include <windows.h>

#include <cstdio>

#include "app/AppState.h"
#include "bench/Benchmarks.h"
#include "playback/FolderSearch.h"

namespace {

constexpr int kFolders = 200;
constexpr int kFilesPerFolder = 100;

bool IsDotEntry(const char* name) { return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')); }

// The floor: every entry of the tree visited with FindFirstFileA and FindNextFileA, depth first.
int Walk(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return 0;
    }
    int files = 0;
    do {
        if (IsDotEntry(found.cFileName)) {
            continue;
        }
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            files += Walk(folder + found.cFileName + "\\");
        } else {
            ++files;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}

}  // namespace

std::vector<Row> BenchFolderDrop(const TempFolder& scratch) {
    const std::string root = scratch / "tree";
    const int made = MakeMediaTree(root, kFolders, kFilesPerFolder);
    const std::string dropped = root + "\\";
    const TimedRun floor = [&] {
        Stopwatch watch;
        const int files = Walk(dropped);
        const double seconds = watch.Seconds();
        if (files != made) std::fprintf(stderr, "bench: the walk found %d of %d files\n", files, made);
        return seconds;
    };
    const TimedRun subject = [&] {
        g_playlist = std::make_unique<Playlist>();
        Stopwatch watch;
        AddFolder(*g_playlist, dropped);
        const double seconds = watch.Seconds();
        if (g_playlist->GetCount() != made)
            std::fprintf(stderr, "bench: the drop added %d of %d files\n", g_playlist->GetCount(), made);
        g_playlist.reset();
        return seconds;
    };
    return {Row{"Folder tree dropped (AddFolder)", made, MeasurePair(7, floor, subject),
                "FindFirstFileA/FindNextFileA walk", 1.3}};
}

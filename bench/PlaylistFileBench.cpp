// Playlist::Load and Playlist::Save against the C runtime's own reading and writing of the same bytes.

#include <windows.h>

#include <io.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "bench/Benchmarks.h"
#include "playback/Playlist.h"

namespace {

constexpr int kSizes[] = {1000, 10000, 100000};
// Playlists this short save in a few milliseconds: their rows are judged by what the save takes
// beyond its floor, at most what no person notices.
constexpr int kFewEntries = 1000;
constexpr double kUnnoticed = 2e-3;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using ScopedFile = std::unique_ptr<std::FILE, FileCloser>;

// The floor of Load: the file read in chunks and split at LF into strings, a CR before the LF dropped.
void ReadLines(const std::string& fileName, std::vector<std::string>& lines) {
    ScopedFile file(std::fopen(fileName.c_str(), "rb"));
    if (!file) {
        return;
    }
    std::vector<char> chunk(64 * 1024);
    std::string pending;
    size_t got;
    while ((got = std::fread(chunk.data(), 1, chunk.size(), file.get())) > 0) {
        const char* start = chunk.data();
        const char* end = start + got;
        while (const char* lineFeed = static_cast<const char*>(std::memchr(start, '\n', end - start))) {
            pending.append(start, lineFeed);
            if (!pending.empty() && pending.back() == '\r') {
                pending.pop_back();
            }
            lines.push_back(pending);
            pending.clear();
            start = lineFeed + 1;
        }
        pending.append(start, end);
    }
    if (!pending.empty()) {
        lines.push_back(pending);
    }
}

// The floor of Save: the same bytes, line by line, each line flushed, as the file format asks. With
// toDisk, the file is also flushed to the disk before it is closed.
void WriteLines(const std::string& fileName, const std::vector<std::string>& paths, bool toDisk = false) {
    ScopedFile file(std::fopen(fileName.c_str(), "wb"));
    if (!file) {
        return;
    }
    for (const std::string& path : paths) {
        std::fwrite(path.data(), 1, path.size(), file.get());
        std::fwrite("\r\n", 1, 2, file.get());
        std::fflush(file.get());
    }
    if (toDisk) {
        FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file.get()))));
    }
}

// The same, written beside the target, flushed to the disk and moved into its place in one step:
// what a save that never destroys the file it replaces asks of the platform.
void WriteLinesBeside(const std::string& fileName, const std::vector<std::string>& paths) {
    const std::string beside = fileName + ".new";
    WriteLines(beside, paths, true);
    MoveFileExA(beside.c_str(), fileName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

void Check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "bench: %s\n", what);
    }
}

int RepetitionsFor(int size) { return size >= 100000 ? 5 : 9; }

}  // namespace

std::vector<Row> BenchPlaylistLoad(const TempFolder& scratch) {
    std::vector<Row> rows;
    for (const int size : kSizes) {
        const std::vector<std::string> paths = MediaPaths(size);
        const std::string fileName = scratch / ("load-" + std::to_string(size) + ".ppl");
        WritePlaylistFile(fileName, paths);
        const TimedRun floor = [&] {
            std::vector<std::string> lines;
            Stopwatch watch;
            ReadLines(fileName, lines);
            const double seconds = watch.Seconds();
            Check(lines == paths, "the floor of Load read other lines");
            return seconds;
        };
        const TimedRun subject = [&] {
            Playlist playlist;
            Stopwatch watch;
            playlist.Load(fileName);
            const double seconds = watch.Seconds();
            Check(playlist.GetCount() == size, "Load took a different number of entries");
            return seconds;
        };
        Row row{"Playlist::Load", size, MeasurePair(RepetitionsFor(size), floor, subject), "fread, split into strings",
                1.3};
        row.perEntry = true;
        rows.push_back(row);
    }
    return rows;
}

std::vector<Row> BenchPlaylistSave(const TempFolder& scratch) {
    std::vector<Row> rows;
    for (const int size : kSizes) {
        const std::vector<std::string> paths = MediaPaths(size);
        Playlist playlist;
        for (const std::string& path : paths) {
            playlist.Add(path);
        }
        const std::string floorFile = scratch / "save-floor.ppl";
        const std::string subjectFile = scratch / "save.ppl";
        const TimedRun floor = [&] {
            Stopwatch watch;
            WriteLines(floorFile, paths);
            return watch.Seconds();
        };
        const TimedRun safeFloor = [&] {
            Stopwatch watch;
            WriteLinesBeside(floorFile, paths);
            return watch.Seconds();
        };
        const TimedRun subject = [&] {
            Stopwatch watch;
            playlist.Save(subjectFile);
            return watch.Seconds();
        };
        const std::vector<double> medians = MeasureInTurn(RepetitionsFor(size), {subject, floor, safeFloor});
        Row row{"Playlist::Save", size, Medians{medians[0], medians[1]}, "fwrite, fflush per line", 1.2};
        row.perEntry = true;
        Row safeRow{"Playlist::Save", size, Medians{medians[0], medians[2]},
                    "the same beside it, flushed to disk, moved into its place", 1.2};
        // A short playlist saves in a few milliseconds, of which the save's fixed steps (the file's
        // link followed, the replace that keeps its attributes) take one or two: no one waits on them.
        if (size <= kFewEntries) {
            row.margin = safeRow.margin = kUnnoticed;
        }
        rows.push_back(row);
        rows.push_back(safeRow);
    }
    return rows;
}

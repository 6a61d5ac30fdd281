// The heap that a long playlist takes, against the bytes of its texts alone.

#include <windows.h>

#include <memory>

#include "bench/Benchmarks.h"
#include "playback/DeviceTypes.h"
#include "playback/Playlist.h"

namespace {

constexpr int kEntries = 100000;

// Bytes of every heap of the process in blocks that are in use, with each block's own overhead.
double HeapBytesInUse() {
    std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    double inUse = 0;
    for (HANDLE heap : heaps) {
        if (!HeapLock(heap)) {
            continue;
        }
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heap, &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
                inUse += static_cast<double>(entry.cbData) + entry.cbOverhead;
            }
        }
        HeapUnlock(heap);
    }
    return inUse;
}

}  // namespace

std::vector<Row> BenchPlaylistMemory() {
    const std::string deviceType = DeviceTypeFor(".mp3");
    const double texts = static_cast<double>(kEntries) * (kMediaPathLength + deviceType.size());

    std::vector<double> used;
    for (int repetition = 0; repetition < 3; ++repetition) {
        const double before = HeapBytesInUse();
        auto playlist = std::make_unique<Playlist>();
        std::string path;
        for (int i = 0; i < kEntries; ++i) {
            path = MediaPath(i);
            playlist->Add(path);
        }
        path = std::string();  // whatever the loop held goes before the second count
        used.push_back(HeapBytesInUse() - before);
    }
    Row row{"Memory of a playlist (heap in use)", kEntries, Medians{Median(used), texts},
            "bytes of its paths and device types", 1.5};
    row.unit = Unit::Bytes;
    return {row};
}

#include "playback/MciDrivers.h"

#include <windows.h>

#include <algorithm>
#include <array>

namespace {

// The drivers behind the device types the player opens.
constexpr std::array<const char*, 5> kDrivers = {"mciwave.dll", "mciqtz32.dll", "mciavi32.dll", "mciseq.dll",
                                                 "mcicda.dll"};
// The device types of the table, at most.
constexpr size_t kDeviceTypes = 6;

}  // namespace

void KeepOpenedMciDriversLoaded(const char* deviceType) {
    static std::array<const char*, kDeviceTypes> seen{};
    static size_t seenCount = 0;
    static std::array<bool, kDrivers.size()> pinned{};
    const auto seenEnd = seen.begin() + static_cast<std::ptrdiff_t>(seenCount);
    if (std::find(seen.begin(), seenEnd, deviceType) != seenEnd) {
        return;  // its driver was loaded at its first open, and pinned then
    }
    if (seenCount < seen.size()) {
        seen[seenCount++] = deviceType;
    }
    for (size_t i = 0; i < kDrivers.size(); ++i) {
        HMODULE driver = nullptr;
        if (!pinned[i] && GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_PIN, kDrivers[i], &driver)) {
            pinned[i] = true;
        }
    }
}

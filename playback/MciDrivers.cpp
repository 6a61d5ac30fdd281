#include "playback/MciDrivers.h"

#include <windows.h>

#include <array>

namespace {

// The drivers behind the device types the player opens.
constexpr std::array<const char*, 5> kDrivers = {"mciwave.dll", "mciqtz32.dll", "mciavi32.dll", "mciseq.dll",
                                                 "mcicda.dll"};

}  // namespace

void KeepOpenedMciDriversLoaded() {
    static std::array<bool, kDrivers.size()> pinned{};
    for (size_t i = 0; i < kDrivers.size(); ++i) {
        HMODULE driver = nullptr;
        if (!pinned[i] && GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_PIN, kDrivers[i], &driver)) {
            pinned[i] = true;
        }
    }
}

#include "app/HandOver.h"

#include <algorithm>

#include "app/AppState.h"
#include "app/PathsToPlaylist.h"
#include "common/PrivateIds.h"
#include "playback/EntryPaths.h"

namespace {

// How long a copy waits for the one that starts first, and for the running one to take the paths.
// The player answers a hand-over at once (its paths are searched on a thread of their own), so the
// waits end early unless it hangs.
constexpr DWORD kWaitMs = 10000;

}  // namespace

std::vector<std::string> PathsFromCommandLine(int argc, char** argv) {
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        if (!argv[i] || !*argv[i]) {
            continue;
        }
        // A relative path means this process's folder, not the running copy's.
        const DWORD size = GetFullPathNameA(argv[i], 0, nullptr, nullptr);
        std::string full(size, '\0');
        const DWORD length = size ? GetFullPathNameA(argv[i], size, full.data(), nullptr) : 0;
        if (length > 0 && length < size) {
            full.resize(length);
            paths.push_back(std::move(full));
        }
    }
    return paths;
}

StartUpLock::StartUpLock() : mutex_(CreateMutexA(nullptr, FALSE, "Local\\Pipit start-up")) {
    if (mutex_) {
        const DWORD waited = WaitForSingleObject(mutex_, kWaitMs);
        held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;  // abandoned: the holder ended
    }
}

StartUpLock::~StartUpLock() {
    if (held_) {
        ReleaseMutex(mutex_);
    }
    if (mutex_) {
        CloseHandle(mutex_);
    }
}

HWND FindRunningPlayer() { return FindWindowA(g_className, g_title); }

HandedOver HandOverPaths(HWND player, const std::vector<std::string>& paths) {
    HandedOver handedOver{0, paths.size()};
    for (const std::string& packed : PackHandOvers(paths)) {
        COPYDATASTRUCT data{kOpenPathsData, static_cast<DWORD>(packed.size()), const_cast<char*>(packed.data())};
        DWORD_PTR taken = 0;
        // A player that hangs must not hang this copy too.
        if (!SendMessageTimeoutA(player, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kWaitMs,
                                 &taken) ||
            taken != TRUE) {
            break;
        }
        handedOver.taken += static_cast<size_t>(std::count(packed.begin(), packed.end(), '\0'));
    }
    return handedOver;
}

std::string HandOverRefusedText(const HandedOver& handedOver, const std::vector<std::string>& paths) {
    if (handedOver.taken == 0) {
        return "Pipit is running but did not answer in time, so the files were not opened. Please try again.";
    }
    // The paths taken are the first of those that a hand-over can carry.
    std::vector<std::string> notTaken;
    size_t takenSoFar = 0;
    for (const std::string& path : paths) {
        if (path.size() + 1 <= kHandOverLimit && takenSoFar < handedOver.taken) {
            ++takenSoFar;
        } else {
            notTaken.push_back(path);
        }
    }
    std::string text = "Pipit is running but stopped answering part-way: " + std::to_string(handedOver.taken) +
                       " of the " + std::to_string(handedOver.paths) + " files were opened, and these were not:\n";
    constexpr size_t kNamed = 5;
    for (size_t i = 0; i < notTaken.size() && i < kNamed; ++i) {
        text.append("\n").append(notTaken[i]);
    }
    if (notTaken.size() > kNamed) {
        text.append("\n... and ").append(std::to_string(notTaken.size() - kNamed)).append(" more");
    }
    return text.append("\n\nPlease open those again.");
}

void ShowHandOverRefused(const std::string& text) {
    MessageBoxA(nullptr, text.c_str(), g_title, MB_OK | MB_ICONWARNING);
}

std::vector<std::string> PackHandOvers(const std::vector<std::string>& paths) {
    std::vector<std::string> handOvers(1);
    for (const std::string& path : paths) {
        if (path.size() + 1 > kHandOverLimit) {
            continue;
        }
        if (handOvers.back().size() + path.size() + 1 > kHandOverLimit) {
            handOvers.emplace_back();
        }
        handOvers.back().append(path).push_back('\0');
    }
    if (handOvers.back().empty()) {
        handOvers.pop_back();
    }
    return handOvers;
}

std::optional<std::vector<std::string>> UnpackHandOver(std::string_view packed) {
    if (packed.empty() || packed.size() > kHandOverLimit || packed.back() != '\0') {
        return std::nullopt;
    }
    std::vector<std::string> paths;
    while (!packed.empty()) {
        const std::string_view path = packed.substr(0, packed.find('\0'));
        if (!IsFullPath(path)) {
            return std::nullopt;
        }
        paths.emplace_back(path);
        packed.remove_prefix(path.size() + 1);
    }
    return paths;
}

LRESULT OnCopyData(HWND window, WPARAM, LPARAM lParam) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (!data || data->dwData != kOpenPathsData || data->cbData > kHandOverLimit || !data->lpData) {
        return FALSE;
    }
    std::optional<std::vector<std::string>> paths =
        UnpackHandOver(std::string_view(static_cast<const char*>(data->lpData), data->cbData));
    if (!paths) {
        return FALSE;
    }
    OpenPaths(window, std::move(*paths));
    return TRUE;
}

#include "app/CommandLine.h"

#include "resources/resource.h"

namespace {

// How long a copy waits for the one that starts first, and for it to take the paths.
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

bool HandToRunningCopy(HINSTANCE instance, const std::vector<std::string>& paths) {
    char name[200] = "";
    LoadStringA(instance, IDS_APP_TITLE, name, sizeof name);
    HWND running = FindWindowA(name, name);
    if (!running) {
        return false;
    }
    const std::string packed = PackPaths(paths);
    COPYDATASTRUCT data{kOpenPathsData, static_cast<DWORD>(packed.size()), const_cast<char*>(packed.data())};
    DWORD_PTR taken = 0;
    // A copy that hangs must not hang this one too.
    return SendMessageTimeoutA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kWaitMs,
                               &taken) != 0 &&
           taken == TRUE;
}

std::string PackPaths(const std::vector<std::string>& paths) {
    std::string packed;
    for (const std::string& path : paths) {
        packed.append(path).push_back('\0');
    }
    return packed;
}

std::vector<std::string> UnpackPaths(std::string_view packed) {
    std::vector<std::string> paths;
    while (!packed.empty()) {
        const size_t end = packed.find('\0');
        const std::string_view path = packed.substr(0, end);
        if (!path.empty()) {
            paths.emplace_back(path);
        }
        packed.remove_prefix(end == std::string_view::npos ? packed.size() : end + 1);
    }
    return paths;
}

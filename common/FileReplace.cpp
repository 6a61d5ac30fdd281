#include "common/FileReplace.h"

#include "common/LongPaths.h"
#include "common/ScopedHandles.h"

#include <string>

namespace {

constexpr std::wstring_view kNewContentSuffix = L".saving";
constexpr DWORD kRetryPauseMilliseconds = 50;
// The attributes of the old file that the new one is made with, so that they hold whether or not
// the replace itself carries them over.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

struct Target {
    std::wstring path;  // in the long form
    bool exists = false;
    DWORD attributes = 0;
};

// The file's final path, past any link, in the long form; the empty text when the system has none.
std::wstring FinalPath(HANDLE file) {
    return WideTextOfAnyLength([&](wchar_t* buffer, DWORD size) {
        return GetFinalPathNameByHandleW(file, buffer, size, FILE_NAME_NORMALIZED);
    });
}

// The file that the save replaces: the one a link at the path points to, else the path itself.
bool FindTarget(std::string_view path, Target& target) {
    target.path = LongPath(path);
    if (target.path.empty()) {
        return false;
    }
    // Opened for nothing but its name and attributes, so that no one's sharing stands in the way.
    const ScopedFile file(CreateFileW(target.path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        return GetLastError() == ERROR_FILE_NOT_FOUND;  // a new file in a folder that exists
    }
    BY_HANDLE_FILE_INFORMATION information;
    if (!GetFileInformationByHandle(file.Get(), &information)) {
        return false;
    }
    target.exists = true;
    target.attributes = information.dwFileAttributes;
    if (std::wstring final = FinalPath(file.Get()); !final.empty()) {
        target.path = std::move(final);
    }
    return true;
}

bool WriteNewContent(const std::wstring& path, DWORD attributes, const std::function<bool(HANDLE)>& write) {
    // What a save cut short left there goes first; made anew, the file takes this save's attributes.
    DeleteFileW(path.c_str());
    ScopedFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL, nullptr));
    // On the disk before it replaces anything.
    return file.Valid() && write(file.Get()) && FlushFileBuffers(file.Get()) && CloseHandle(file.Take());
}

bool IsMomentary(DWORD reason) {
    return reason == ERROR_SHARING_VIOLATION || reason == ERROR_ACCESS_DENIED || reason == ERROR_LOCK_VIOLATION ||
           reason == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

// Whether the file may be taken away now. Asked before each replace, because a replace refused
// part-way can leave files of its own beside the target.
bool MayBeReplaced(const std::wstring& path) {
    const ScopedFile file(CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.Valid();
}

bool PutInPlace(const Target& target, const std::wstring& newContent, DWORD patienceMs) {
    const ULONGLONG deadline = GetTickCount64() + patienceMs;
    for (;;) {
        bool done = false;
        if (!target.exists) {
            done = MoveFileExW(newContent.c_str(), target.path.c_str(), MOVEFILE_WRITE_THROUGH);
        } else if (MayBeReplaced(target.path)) {
            // Carries the old file's attributes, security and streams over to the new one.
            done = ReplaceFileW(target.path.c_str(), newContent.c_str(), nullptr, 0, nullptr, nullptr);
        }
        const DWORD reason = GetLastError();
        if (done || !IsMomentary(reason) || GetTickCount64() >= deadline) {
            SetLastError(reason);
            return done;
        }
        Sleep(kRetryPauseMilliseconds);
    }
}

}  // namespace

bool WriteFileAnew(std::string_view path, const std::function<bool(HANDLE)>& write, DWORD patienceMs) {
    Target target;
    if (!FindTarget(path, target)) {
        return false;
    }
    if (target.attributes & FILE_ATTRIBUTE_READONLY) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    if (patienceMs == 0 && target.exists && !MayBeReplaced(target.path)) {
        return false;  // held: nothing is written for a replace that could not be done
    }
    const std::wstring newContent = target.path + std::wstring(kNewContentSuffix);
    if (!WriteNewContent(newContent, target.attributes & kKeptAttributes, write)) {
        const DWORD reason = GetLastError();
        DeleteFileW(newContent.c_str());
        SetLastError(reason);
        return false;
    }
    if (PutInPlace(target, newContent, patienceMs)) {
        return true;
    }
    const DWORD reason = GetLastError();
    if (!target.exists || GetFileAttributesW(target.path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        DeleteFileW(newContent.c_str());  // the old file, if any, is there as it was
    } else if (MoveFileExW(newContent.c_str(), target.path.c_str(), MOVEFILE_WRITE_THROUGH)) {
        return true;  // a replace that failed after it took the old file away: the new one, whole, takes its place
    }
    SetLastError(reason);
    return false;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
            return false;
        }
        if (written == 0) {
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

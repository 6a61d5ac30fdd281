#include "app/Settings.h"

#include <windows.h>

#include <string>

#include "common/ScopedHandles.h"

namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run\\";
constexpr const char* kRunValue = "Pipit";
constexpr const char* kLoopKey = "Software\\Larkfield\\Pipit\\";
constexpr const char* kLoopValue = "Loop";
constexpr const char* kShuffleValue = "Shuffle";
constexpr const char* kVolumeValue = "Volume";
constexpr DWORD kFullVolume = 100;

// Only the presence of the value counts; its type and data are never read.
int ValueExists(const char* keyPath, const char* valueName) {
    ScopedRegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) {
        return 0;
    }
    return RegQueryValueExA(key.Get(), valueName, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS ? 1 : 0;
}

void DeleteValue(const char* keyPath, const char* valueName) {
    ScopedRegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_WRITE, key.Receive()) == ERROR_SUCCESS) {
        RegDeleteValueA(key.Get(), valueName);
    }
}

// The DWORD value, or `missing` where there is none or it is of another type.
DWORD ReadNumber(const char* keyPath, const char* valueName, DWORD missing) {
    ScopedRegKey key;
    DWORD type = REG_NONE;
    DWORD number = 0;
    DWORD size = sizeof number;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS ||
        RegQueryValueExA(key.Get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(&number), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof number) {
        return missing;
    }
    return number;
}

void WriteNumber(const char* keyPath, const char* valueName, DWORD number) {
    ScopedRegKey key;
    if (RegCreateKeyA(HKEY_CURRENT_USER, keyPath, key.Receive()) == ERROR_SUCCESS) {
        RegSetValueExA(key.Get(), valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    }
}

void SetText(HKEY key, const char* valueName, const std::string& text) {
    RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
}

}  // namespace

int ReadRunAtStartup() { return ValueExists(kRunKey, kRunValue); }

int ReadLoop() { return ValueExists(kLoopKey, kLoopValue); }

int ReadShuffle() { return ReadNumber(kLoopKey, kShuffleValue, 0) != 0 ? 1 : 0; }

int ReadVolume() {
    const DWORD volume = ReadNumber(kLoopKey, kVolumeValue, kFullVolume);
    return static_cast<int>(volume <= kFullVolume ? volume : kFullVolume);
}

void WriteShuffle(int on) {
    if (on) {
        WriteNumber(kLoopKey, kShuffleValue, 1);
    } else {
        DeleteValue(kLoopKey, kShuffleValue);
    }
}

void WriteVolume(int percent) { WriteNumber(kLoopKey, kVolumeValue, static_cast<DWORD>(percent)); }

void WriteRunAtStartup(int on) {
    if (!on) {
        DeleteValue(kRunKey, kRunValue);
        return;
    }
    char path[500];
    const DWORD length = GetModuleFileNameA(GetModuleHandleA(nullptr), path, sizeof path);
    if (length == 0 || length >= sizeof path) {
        return;  // a cut path would start something else at logon
    }
    ScopedRegKey key;  // the Run key belongs to the system: opened, never created
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, key.Receive()) == ERROR_SUCCESS) {
        // Quoted, so that a path with blanks ("C:\Tools and Apps\pipit.exe") cannot be taken
        // at logon as a program "C:\Tools.exe" with arguments.
        std::string quoted(1, '"');
        quoted.append(path, length).push_back('"');
        SetText(key.Get(), kRunValue, quoted);
    }
}

void WriteLoop(int on) {
    if (!on) {
        DeleteValue(kLoopKey, kLoopValue);  // the key itself stays
        return;
    }
    ScopedRegKey key;
    if (RegCreateKeyA(HKEY_CURRENT_USER, kLoopKey, key.Receive()) == ERROR_SUCCESS) {
        SetText(key.Get(), kLoopValue, "0");
    }
}

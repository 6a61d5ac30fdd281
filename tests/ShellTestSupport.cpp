#include "tests/ShellTestSupport.h"

#include <shlobj.h>

#include <iterator>
#include <thread>

#include "app/TrayIcon.h"
#include "common/ScopedHandles.h"
#include "resources/resource.h"

namespace shell_test {

void DeleteRegistryValue(const char* key, const char* value) {
    ScopedRegKey handle;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_WRITE, handle.Receive()) == ERROR_SUCCESS) {
        RegDeleteValueA(handle.Get(), value);
    }
}

void DeleteRegistryKey(const char* key) { RegDeleteKeyA(HKEY_CURRENT_USER, key); }

bool RegistryKeyExists(const char* key) {
    ScopedRegKey handle;
    return RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, handle.Receive()) == ERROR_SUCCESS;
}

RegistryValue ReadRegistryValue(const char* key, const char* value) {
    RegistryValue result;
    ScopedRegKey handle;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, handle.Receive()) != ERROR_SUCCESS) {
        return result;
    }
    char data[1024];
    DWORD size = sizeof data;
    DWORD type = REG_NONE;
    if (RegQueryValueExA(handle.Get(), value, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS) {
        result.type = type;
        result.data.assign(data, size);
    }
    return result;
}

void WriteRegistryValue(const char* key, const char* value, DWORD type, const std::string& data) {
    ScopedRegKey handle;
    if (RegCreateKeyA(HKEY_CURRENT_USER, key, handle.Receive()) == ERROR_SUCCESS) {
        RegSetValueExA(handle.Get(), value, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                       static_cast<DWORD>(data.size()));
    }
}

bool MenuChecked(UINT commandId) { return (GetMenuState(g_menu, commandId, MF_BYCOMMAND) & MF_CHECKED) != 0; }

namespace {

constexpr UINT kMediaKeys[] = {VK_MEDIA_PLAY_PAUSE, VK_MEDIA_STOP, VK_MEDIA_NEXT_TRACK, VK_MEDIA_PREV_TRACK};

// How many of the media keys a window of another thread, as another program would, can take.
int MediaKeysOthersCanTake() {
    int taken = 0;
    std::thread([&] {
        HWND other = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        for (UINT key : kMediaKeys) {
            if (RegisterHotKey(other, 1, MOD_NOREPEAT, key)) {
                ++taken;
                UnregisterHotKey(other, 1);
            }
        }
        DestroyWindow(other);
    }).join();
    return taken;
}

}  // namespace

bool PlayerHoldsMediaKeys() { return MediaKeysOthersCanTake() == 0; }

bool MediaKeysFree() { return MediaKeysOthersCanTake() == static_cast<int>(std::size(kMediaKeys)); }

std::string KeptSessionPath() {
    char folder[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
    CreateDirectoryA((std::string(folder) + "\\Pipit").c_str(), nullptr);
    return std::string(folder) + "\\Pipit\\session.txt";
}

void ShellTest::SetUp() {
    DeleteRegistryValue(kRunKey, "Pipit");
    for (const char* setting : {"Loop", "Shuffle", "Volume"}) DeleteRegistryValue(kLoopKey, setting);
    if (startInSetUp_) {
        Start();
    }
}

void ShellTest::Start() {
    window_ = StartUp(GetModuleHandleA(nullptr));
    ASSERT_NE(window_, nullptr);
}

void ShellTest::TearDown() {
    if (window_ && IsWindow(window_)) {
        Command(IDM_EXIT);
    }
    // Take the quit message that the window's end posts, so that it ends no later message loop.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT) {
            DispatchMessageA(&message);
        }
    }
    DeleteRegistryValue(kRunKey, "Pipit");
    for (const char* setting : {"Loop", "Shuffle", "Volume"}) DeleteRegistryValue(kLoopKey, setting);
    DeleteFileA(KeptSessionPath().c_str());
}

LRESULT ShellTest::Tray(UINT mouseMessage) { return SendMessageA(window_, WM_TRAYNOTIFY, kTrayIconId, mouseMessage); }

}  // namespace shell_test

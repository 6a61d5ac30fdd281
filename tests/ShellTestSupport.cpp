#include "tests/ShellTestSupport.h"

#include "app/TrayIcon.h"
#include "resources/resource.h"

namespace shell_test {

void DeleteRegistryValue(const char* key, const char* value) {
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_WRITE, &handle) == ERROR_SUCCESS) {
        RegDeleteValueA(handle, value);
        RegCloseKey(handle);
    }
}

void DeleteRegistryKey(const char* key) { RegDeleteKeyA(HKEY_CURRENT_USER, key); }

bool RegistryKeyExists(const char* key) {
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(handle);
    return true;
}

RegistryValue ReadRegistryValue(const char* key, const char* value) {
    RegistryValue result;
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) {
        return result;
    }
    char data[1024];
    DWORD size = sizeof data;
    DWORD type = REG_NONE;
    if (RegQueryValueExA(handle, value, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS) {
        result.type = type;
        result.data.assign(data, size);
    }
    RegCloseKey(handle);
    return result;
}

void WriteRegistryValue(const char* key, const char* value, DWORD type, const std::string& data) {
    HKEY handle;
    if (RegCreateKeyA(HKEY_CURRENT_USER, key, &handle) == ERROR_SUCCESS) {
        RegSetValueExA(handle, value, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                       static_cast<DWORD>(data.size()));
        RegCloseKey(handle);
    }
}

bool MenuChecked(UINT commandId) { return (GetMenuState(g_menu, commandId, MF_BYCOMMAND) & MF_CHECKED) != 0; }

void ShellTest::SetUp() {
    DeleteRegistryValue(kRunKey, "Pipit");
    DeleteRegistryValue(kLoopKey, "Loop");
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
    DeleteRegistryValue(kLoopKey, "Loop");
}

LRESULT ShellTest::Tray(UINT mouseMessage) { return SendMessageA(window_, WM_TRAYNOTIFY, kTrayIconId, mouseMessage); }

}  // namespace shell_test

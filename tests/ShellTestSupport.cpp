#include "tests/ShellTestSupport.h"

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

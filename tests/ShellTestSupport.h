#pragma once

// Starts the shell in this process as the program does, and reads the registry of the test prefix.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/AppState.h"
#include "app/StartUp.h"

namespace shell_test {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kLoopKey = "Software\\Larkfield\\Pipit";

void DeleteRegistryValue(const char* key, const char* value);
void DeleteRegistryKey(const char* key);
bool RegistryKeyExists(const char* key);
// The value's type and data, or type REG_NONE when it is missing.
struct RegistryValue {
    DWORD type = REG_NONE;
    std::string data;
};
RegistryValue ReadRegistryValue(const char* key, const char* value);
void WriteRegistryValue(const char* key, const char* value, DWORD type, const std::string& data);

bool MenuChecked(UINT commandId);

// Whether the player holds all four media keys (another program can take none of them), and
// whether it holds none.
bool PlayerHoldsMediaKeys();
bool MediaKeysFree();

// The kept session's file in the test prefix (its folder made); it is removed at the end of every
// shell test.
std::string KeptSessionPath();

// Starts the shell with no settings stored, and ends it (as Exit does) at the end of the test.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Starts the shell; SetUp calls it unless a test clears startInSetUp_ in its constructor.
    void Start();
    LRESULT Command(UINT id) { return SendMessageA(window_, WM_COMMAND, id, 0); }
    LRESULT Tray(UINT mouseMessage);
    LRESULT Hotkey(int id) { return SendMessageA(window_, WM_HOTKEY, id, 0); }

    HWND window_ = nullptr;
    bool startInSetUp_ = true;
};

}  // namespace shell_test

#include "tests/DialogTestSupport.h"

#include <shlobj.h>

#include "app/AppState.h"

namespace {

std::function<void(HWND)> g_body;
HWND g_owner = nullptr;

BOOL CALLBACK FindOwnedDialog(HWND window, LPARAM found) {
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") == 0 && GetWindow(window, GW_OWNER) == g_owner && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK RunBody(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindOwnedDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog) {
        g_body(dialog);
    }
}

}  // namespace

INT_PTR RunModal(HWND owner, int templateId, DLGPROC procedure, const std::function<void(HWND)>& body) {
    g_body = body;
    g_owner = owner;
    SetTimer(nullptr, 0, 20, RunBody);
    return DialogBoxParamA(g_instance, MAKEINTRESOURCEA(templateId), owner, procedure, 0);
}

std::vector<std::string> ListItems(HWND list) {
    std::vector<std::string> items;
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string text(SendMessageA(list, LB_GETTEXTLEN, i, 0) + 1, '\0');
        text.resize(SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data())));
        items.push_back(text);
    }
    return items;
}

HGLOBAL MakeDrop(const std::vector<std::string>& paths) {
    std::string names;
    for (const std::string& path : paths) {
        names += path;
        names.push_back('\0');
    }
    names.push_back('\0');
    HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
    auto* header = static_cast<DROPFILES*>(GlobalLock(drop));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = FALSE;
    memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(drop);
    return drop;
}

void ClickButton(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void PressKey(HWND dialog, WPARAM key) {
    HWND focus = GetFocus();
    PostMessageA(focus ? focus : dialog, WM_KEYDOWN, key, 0);
    PostMessageA(focus ? focus : dialog, WM_KEYUP, key, 0xC0000000);
}

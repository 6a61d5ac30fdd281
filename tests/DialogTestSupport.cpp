#include "tests/DialogTestSupport.h"

#include <gtest/gtest.h>

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

DWORD g_started = 0;
UINT_PTR g_watchdog = 0;

void CALLBACK EndLeftOpenDialog(HWND, UINT, UINT_PTR watchdog, DWORD) {
    KillTimer(nullptr, watchdog);
    HWND stuck = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindOwnedDialog, reinterpret_cast<LPARAM>(&stuck));
    if (stuck) {
        ADD_FAILURE() << "the dialog was left open";
        EndDialog(stuck, -1);
    }
}

// Runs on the dialog's own message loop; waits for the dialog to be up, and ends a dialog that the
// body left open rather than hanging the run.
void CALLBACK RunBody(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindOwnedDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) {
        if (GetTickCount() - g_started > 10000) {
            KillTimer(nullptr, timer);
            ADD_FAILURE() << "the dialog did not come up";
        }
        return;
    }
    KillTimer(nullptr, timer);
    g_body(dialog);
    g_watchdog = SetTimer(nullptr, 0, 10000, EndLeftOpenDialog);
}

std::string g_boxText;

void CALLBACK AnswerBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindOwnedDialog, reinterpret_cast<LPARAM>(&box));
    if (box) {
        KillTimer(nullptr, timer);
        char text[4096] = "";
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the message's static text
        g_boxText = text;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    } else if (GetTickCount() - g_started > 10000) {
        KillTimer(nullptr, timer);
    }
}

std::function<void(HWND)> g_whenUp;

void CALLBACK RunWhenUp(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindOwnedDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog || GetTickCount() - g_started > 10000) {
        KillTimer(nullptr, timer);
        if (dialog) {
            g_whenUp(dialog);
        } else {
            ADD_FAILURE() << "no dialog came up";
        }
    }
}

std::function<void()> g_whenMenuUp;

void CALLBACK RunWhenMenuUp(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND menu = FindWindowA("#32768", nullptr);
    if ((menu && IsWindowVisible(menu)) || GetTickCount() - g_started > 10000) {
        KillTimer(nullptr, timer);
        if (menu) {
            g_whenMenuUp();
        } else {
            ADD_FAILURE() << "no menu came up";
        }
        EndMenu();
    }
}

struct TitleCount {
    const char* title;
    int count;
};

BOOL CALLBACK CountTitled(HWND window, LPARAM found) {
    auto* wanted = reinterpret_cast<TitleCount*>(found);
    char title[256] = "";
    GetWindowTextA(window, title, sizeof title);
    if (IsWindowVisible(window) && lstrcmpA(title, wanted->title) == 0) {
        ++wanted->count;
    }
    return TRUE;
}

}  // namespace

void WhenMenuUp(const std::function<void()>& action) {
    g_whenMenuUp = action;
    g_started = GetTickCount();
    SetTimer(nullptr, 0, 20, RunWhenMenuUp);
}

int ShownWindowsTitled(const char* title) {
    TitleCount wanted{title, 0};
    EnumThreadWindows(GetCurrentThreadId(), CountTitled, reinterpret_cast<LPARAM>(&wanted));
    return wanted.count;
}

void WhenDialogUp(HWND owner, const std::function<void(HWND)>& action) {
    g_whenUp = action;
    g_owner = owner;
    g_started = GetTickCount();
    SetTimer(nullptr, 0, 20, RunWhenUp);
}

std::string AnswerMessageBox(HWND owner, const std::function<void()>& action) {
    g_owner = owner;
    g_boxText.clear();
    g_started = GetTickCount();
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, AnswerBox);
    action();
    KillTimer(nullptr, timer);
    return g_boxText;
}

INT_PTR RunModal(HWND owner, int templateId, DLGPROC procedure, const std::function<void(HWND)>& body) {
    g_body = body;
    g_owner = owner;
    g_started = GetTickCount();
    SetTimer(nullptr, 0, 20, RunBody);
    const INT_PTR result = DialogBoxParamA(g_instance, MAKEINTRESOURCEA(templateId), owner, procedure, 0);
    if (g_watchdog) {
        KillTimer(nullptr, g_watchdog);
        g_watchdog = 0;
    }
    return result;
}

// Read in the list box's own Unicode: Wine converts an LB_GETTEXT of the "A" form through a fixed
// buffer of 512 characters, which a long item overruns.
std::vector<std::string> ListItems(HWND list) {
    std::vector<std::string> items;
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    std::wstring text;
    for (int i = 0; i < count; ++i) {
        text.assign(SendMessageW(list, LB_GETTEXTLEN, i, 0) + 1, L'\0');
        text.resize(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data())));
        const int size = static_cast<int>(text.size());
        std::string item(WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr), '\0');
        WideCharToMultiByte(CP_ACP, 0, text.data(), size, item.data(), static_cast<int>(item.size()), nullptr, nullptr);
        items.push_back(item);
    }
    return items;
}

void ClickButton(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void PressKey(HWND dialog, WPARAM key) {
    HWND focus = GetFocus();
    PostMessageA(focus ? focus : dialog, WM_KEYDOWN, key, 0);
    PostMessageA(focus ? focus : dialog, WM_KEYUP, key, 0xC0000000);
}

#include "app/TrayIcon.h"

#include "app/AppState.h"
#include "app/ShellNotify.h"
#include "playback/CharacterWalk.h"
#include "resources/resource.h"

namespace {

// The first version of the tray record holds a 64-byte tip: 63 characters and a terminator.
constexpr size_t kTipRoom = 63;
constexpr std::string_view kEllipsis = "...";

// The shell refuses a record of the wrong size, and the icon never shows.
constexpr bool kSixtyFourBit = sizeof(void*) == 8;
static_assert(NOTIFYICONDATAA_V1_SIZE == (kSixtyFourBit ? 104 : 88),
              "the first tray icon record is 88 bytes in a 32-bit build, 104 in a 64-bit one");

std::string shownTip;  // what the icon shows, for adding it again
bool iconAdded = false;

// Loaded once and kept for the life of the process; the icon is shown for all of it.
HICON TrayIconImage() {
    static HICON icon = static_cast<HICON>(
        LoadImageA(g_instance, MAKEINTRESOURCEA(IDI_PIPIT_SMALL), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    return icon;
}

NOTIFYICONDATAA TrayRecord(HWND window, const std::string& tip) {
    NOTIFYICONDATAA data{};
    // The first version of the record: the fields below are all the player needs.
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_TRAYNOTIFY;
    data.hIcon = TrayIconImage();
    const std::string text = TrayTipText(tip, GetACP());
    text.copy(data.szTip, kTipRoom);
    return data;
}

}  // namespace

std::string TrayTipText(std::string_view text, UINT codePage) {
    if (text.size() <= kTipRoom) {
        return std::string(text);
    }
    // Keep the end, where the file name is.
    const size_t start = CharacterStartFrom(text, text.size() - (kTipRoom - kEllipsis.size()), codePage);
    std::string tip(kEllipsis);
    tip.append(text.substr(start));
    return tip;
}

int AddTrayIcon(HWND window) {
    shownTip = g_title;
    NOTIFYICONDATAA data = TrayRecord(window, shownTip);
    SendTrayMessage(NIM_ADD, &data);
    iconAdded = true;
    return 1;
}

BOOL RemoveTrayIcon(HWND window) {
    iconAdded = false;
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = kTrayIconId;
    return SendTrayMessage(NIM_DELETE, &data);
}

void ShowTrayTip(HWND window, const std::string& text) {
    shownTip = text;
    NOTIFYICONDATAA data = TrayRecord(window, shownTip);
    SendTrayMessage(NIM_MODIFY, &data);
}

bool TrayIconAdded() { return iconAdded; }

void RestoreTrayIcon(HWND window) {
    NOTIFYICONDATAA data = TrayRecord(window, shownTip);
    // Where the icon survived the new taskbar, adding fails and changing it is enough.
    if (!SendTrayMessage(NIM_ADD, &data)) {
        SendTrayMessage(NIM_MODIFY, &data);
    }
}

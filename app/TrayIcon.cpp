#include "app/TrayIcon.h"

#include "app/AppState.h"
#include "app/ShellNotify.h"
#include "common/CharacterWalk.h"
#include "common/Platform.h"
#include "resources/resource.h"

namespace {

// The first version of the tray record holds a 64-byte tip: 63 characters and a terminator.
constexpr size_t kTipRoom = 63;
constexpr std::string_view kEllipsis = "...";

// The shell refuses a record of the wrong size, and the icon never shows.
static_assert(NOTIFYICONDATAA_V1_SIZE == (kSixtyFourBit ? 104 : 88),
              "the first tray icon record is 88 bytes in a 32-bit build, 104 in a 64-bit one");

std::string shownTip;  // what the icon shows, for adding it again
std::string shownPrefix;
bool iconAdded = false;
HWND iconWindow = nullptr;
bool messageShown = false;  // a moment's message stands in the tip for what it shows

// How long a moment's message stays in the tip.
constexpr UINT kMessageMs = 1500;

HICON trayImage = nullptr;  // kept while the icon shows; the shell keeps a copy of its own

// The image drawn for the system's small-icon size, which follows the display scaling (the
// program is DPI aware): 16 pixels at 100 %, 24 at 150 %. Loaded again with a new taskbar.
void LoadTrayImage() {
    HICON previous = trayImage;
    trayImage =
        static_cast<HICON>(LoadImageA(g_instance, MAKEINTRESOURCEA(IDI_PIPIT_SMALL), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    if (previous) {
        DestroyIcon(previous);
    }
}

NOTIFYICONDATAA TrayRecord(HWND window, const std::string& tip, std::string_view prefix = {}) {
    NOTIFYICONDATAA data{};
    // The first version of the record: the fields below are all the player needs.
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_TRAYNOTIFY;
    data.hIcon = trayImage;
    std::string text(prefix);
    text.append(TrayTipText(tip, GetACP(), kTipRoom - prefix.size()));
    text.copy(data.szTip, kTipRoom);
    return data;
}

}  // namespace

std::string TrayTipText(std::string_view text, UINT codePage, size_t room) {
    if (text.size() <= room) {
        return std::string(text);
    }
    // Keep the end, where the file name is.
    const size_t start = CharacterStartFrom(text, text.size() - (room - kEllipsis.size()), codePage);
    std::string tip(kEllipsis);
    tip.append(text.substr(start));
    return tip;
}

int AddTrayIcon(HWND window) {
    if (!trayImage) {
        LoadTrayImage();
    }
    shownTip = g_title;
    shownPrefix.clear();
    NOTIFYICONDATAA data = TrayRecord(window, shownTip);
    SendTrayMessage(NIM_ADD, &data);
    iconAdded = true;
    iconWindow = window;
    messageShown = false;
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

void ShowTrayTip(HWND window, const std::string& text, std::string_view prefix) {
    shownTip = text;
    shownPrefix = prefix;
    if (messageShown) {
        return;  // shown once the message has had its moment
    }
    NOTIFYICONDATAA data = TrayRecord(window, shownTip, shownPrefix);
    SendTrayMessage(NIM_MODIFY, &data);
}

void ShowTrayMessage(HWND window, const std::string& message) {
    NOTIFYICONDATAA data = TrayRecord(window, message);
    SendTrayMessage(NIM_MODIFY, &data);
    messageShown = SetTimer(window, kTipMessageTimer, kMessageMs, nullptr) != 0;
}

void EndTrayMessage(HWND window) {
    KillTimer(window, kTipMessageTimer);
    messageShown = false;
    ShowTrayTip(window, shownTip, shownPrefix);
}

bool TrayIconAdded() { return iconAdded; }

void ShowTrayTipWhereChanged(const std::string& text, std::string_view prefix) {
    if (iconAdded && (text != shownTip || prefix != shownPrefix)) {
        ShowTrayTip(iconWindow, text, prefix);
    }
}

bool TrayTipShowsPrefix() { return !shownPrefix.empty(); }

void RestoreTrayIcon(HWND window) {
    LoadTrayImage();
    NOTIFYICONDATAA data = TrayRecord(window, shownTip, shownPrefix);
    // Where the icon survived the new taskbar, adding fails and changing it is enough.
    if (!SendTrayMessage(NIM_ADD, &data)) {
        SendTrayMessage(NIM_MODIFY, &data);
    }
}

// A small helper for the end-to-end tests: looks into a running Pipit from another process.
//   probe command ID          posts the menu command ID to Pipit's main window
//   probe hotkey ID           posts the hotkey ID to Pipit's main window, as a key pressed anywhere
//   probe list TITLE          prints the items of the list box in the window TITLE, then "selected: N"
//   probe find TITLE NAME...  prints the number of items of the list box in the window TITLE, then the
//                            index of each NAME in it (-1 when missing): quick on a long list
//   probe close TITLE         closes the window TITLE as its Close button would
//   probe exists TITLE        exits with 0 when there is a window TITLE, shown or not, else 1
//   probe state -             prints whether Pipit's main window answers messages, and its process id
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

HWND MainWindow() { return FindWindowA("Pipit", "Pipit"); }

std::string Utf8(const std::wstring& text) {
    std::string bytes(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.resize(bytes.size() - 1);
    return bytes;
}

// Another process's list box answers LB_GETTEXT in UTF-16 only through the W form.
int ListItems(const char* title) {
    HWND window = FindWindowA(nullptr, title);
    HWND list = window ? FindWindowExA(window, nullptr, "ListBox", nullptr) : nullptr;
    if (!list) {
        std::fprintf(stderr, "no list in a window \"%s\"\n", title);
        return 1;
    }
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring text(SendMessageW(list, LB_GETTEXTLEN, i, 0) + 1, L'\0');
        text.resize(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data())));
        std::printf("%s\n", Utf8(text).c_str());
    }
    std::printf("selected: %d\n", static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)));
    return 0;
}

int FindItems(const char* title, int count, char** names) {
    HWND window = FindWindowA(nullptr, title);
    HWND list = window ? FindWindowExA(window, nullptr, "ListBox", nullptr) : nullptr;
    if (!list) {
        std::fprintf(stderr, "no list in a window \"%s\"\n", title);
        return 1;
    }
    std::printf("count: %d\n", static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)));
    for (int i = 0; i < count; ++i) {
        std::wstring name(MultiByteToWideChar(CP_UTF8, 0, names[i], -1, nullptr, 0), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, names[i], -1, name.data(), static_cast<int>(name.size()));
        const auto index = SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(name.c_str()));
        std::printf("%s: %d\n", names[i], static_cast<int>(index));
    }
    return 0;
}

// Tells a busy or blocked program from one whose window simply did not come up, for the reports of
// failed tests. The process id is Windows' own, as a debugger takes it.
int PrintState() {
    HWND main = MainWindow();
    if (!main) {
        std::printf("no Pipit main window\n");
        return 1;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(main, &process);
    DWORD_PTR ignored = 0;
    const bool answers = SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored) != 0;
    std::printf("main window %s; process id %lu\n", answers ? "answers" : "does not answer within 5 s",
                static_cast<unsigned long>(process));
    return answers ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: probe command ID | hotkey ID | list TITLE | find TITLE NAME... | close TITLE | exists TITLE | state -\n");
        return 2;
    }
    const std::string verb = argv[1];
    if (verb == "command") {
        // Without the window, PostMessage would post to this thread and report success.
        HWND main = MainWindow();
        if (!main) {
            std::fprintf(stderr, "no Pipit main window\n");
            return 1;
        }
        return PostMessageA(main, WM_COMMAND, std::atoi(argv[2]), 0) ? 0 : 1;
    }
    if (verb == "hotkey") {
        HWND main = MainWindow();
        return main && PostMessageA(main, WM_HOTKEY, std::atoi(argv[2]), 0) ? 0 : 1;
    }
    if (verb == "list") {
        return ListItems(argv[2]);
    }
    if (verb == "find") {
        return FindItems(argv[2], argc - 3, argv + 3);
    }
    if (verb == "close") {
        HWND window = FindWindowA(nullptr, argv[2]);
        return window && PostMessageA(window, WM_COMMAND, IDCANCEL, 0) ? 0 : 1;
    }
    if (verb == "exists") {
        return FindWindowA(nullptr, argv[2]) ? 0 : 1;
    }
    if (verb == "state") {
        return PrintState();
    }
    return 2;
}

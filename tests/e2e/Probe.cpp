// A small helper for the end-to-end tests: looks into a running Pipit from another process.
//   probe command ID          posts the menu command ID to Pipit's main window
//   probe hotkey ID           posts the hotkey ID to Pipit's main window, as a key pressed anywhere
//   probe list TITLE          prints the items of the list box in the window TITLE, then "selected: N"
//   probe find TITLE NAME...  prints the number of items of the list box in the window TITLE, then the
//                            index of each NAME in it (-1 when missing): quick on a long list
//   probe close TITLE         closes the window TITLE as its Close button would
//   probe exists TITLE        exits with 0 when there is a window TITLE, shown or not, else 1
//   probe state -             prints whether Pipit's main window answers messages, and its process id
//   probe level FILE.wav      prints the level of the sound captured in FILE.wav in dB of full scale
//                            (the median of its 10 ms stretches that are not silent), or "silent"
//   probe seconds FILE.wav    prints how many seconds of sound FILE.wav holds
//   probe pitch FILE.wav      prints the length in samples of the half-periods of the first 50 ms that
//                            sound in FILE.wav (the median), or "silent"
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

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
        const auto index =
            SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
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

// The samples of a WAV file as ALSA's file plugin writes it (16-bit integers or 32-bit floats), of
// the first channel, on a scale of -1 to 1; its length counts what is there, whatever the header says.
std::vector<double> Samples(const char* path, unsigned* rate = nullptr) {
    std::vector<double> samples;
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return samples;
    std::vector<unsigned char> bytes;
    unsigned char piece[65536];
    for (size_t got; (got = std::fread(piece, 1, sizeof piece, file)) > 0;)
        bytes.insert(bytes.end(), piece, piece + got);
    std::fclose(file);
    auto word = [&](size_t at) { return static_cast<unsigned>(bytes[at] | bytes[at + 1] << 8); };
    unsigned format = 0, channels = 1, bits = 16;
    size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const std::string id(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                             bytes.begin() + static_cast<std::ptrdiff_t>(at) + 4);
        const size_t size = word(at + 4) | static_cast<size_t>(word(at + 6)) << 16;
        if (id == "fmt ") {
            format = word(at + 8), channels = word(at + 10), bits = word(at + 22);
            if (rate) *rate = word(at + 12) | word(at + 14) << 16;
            if (format == 0xFFFE && size >= 26) format = word(at + 32);  // extensible: its sub-format's tag
        } else if (id == "data") {
            const size_t frame = channels * bits / 8;
            // ALSA's file plugin heads 32-bit float samples as integers: samples that all read as
            // floats of a sound's size are floats (integer samples read so are huge, or not numbers).
            if (format == 1 && bits == 32) {
                float loudest = 0;
                bool floats = true;
                for (size_t i = at + 8; floats && i + 4 <= bytes.size() && i < at + 8 + 4 * 65536; i += 4) {
                    float value;
                    std::memcpy(&value, &bytes[i], sizeof value);
                    floats = std::isfinite(value) && std::fabs(value) < 16;
                    loudest = std::max(loudest, std::fabs(value));
                }
                if (floats && loudest > 1e-3f) format = 3;
            }
            for (size_t i = at + 8; frame && i + frame <= bytes.size(); i += frame) {
                if (format == 3 && bits == 32) {
                    float value;
                    std::memcpy(&value, &bytes[i], sizeof value);
                    samples.push_back(value);
                } else if (bits == 32) {
                    std::int32_t value;
                    std::memcpy(&value, &bytes[i], sizeof value);
                    samples.push_back(value / 2147483648.0);
                } else {
                    samples.push_back(static_cast<short>(word(i)) / 32768.0);
                }
            }
            break;
        }
        at += 8 + size + (size & 1);
    }
    return samples;
}

int PrintLevel(const char* path) {
    const std::vector<double> samples = Samples(path);
    constexpr size_t kStretch = 441;
    std::vector<double> levels;
    for (size_t start = 0; start + kStretch <= samples.size(); start += kStretch) {
        double sum = 0;
        for (size_t i = start; i < start + kStretch; ++i) sum += samples[i] * samples[i];
        const double rms = std::sqrt(sum / kStretch);
        if (rms > 1e-4) levels.push_back(20 * std::log10(rms));
    }
    if (levels.empty()) {
        std::printf("silent\n");
        return 0;
    }
    std::nth_element(levels.begin(), levels.begin() + static_cast<std::ptrdiff_t>(levels.size() / 2), levels.end());
    std::printf("%.2f\n", levels[levels.size() / 2]);
    return 0;
}

int PrintSeconds(const char* path) {
    unsigned rate = 0;
    const std::vector<double> samples = Samples(path, &rate);
    std::printf("%.2f\n", rate ? static_cast<double>(samples.size()) / rate : 0.0);
    return 0;
}

int PrintPitch(const char* path) {
    const std::vector<double> samples = Samples(path);
    size_t start = 0;
    while (start < samples.size() && std::fabs(samples[start]) < 0.05) ++start;
    std::vector<size_t> halves;
    size_t last = start;
    for (size_t i = start + 1; i < samples.size() && i < start + 2205; ++i) {
        if ((samples[i - 1] < 0) != (samples[i] < 0)) {
            if (last != start) halves.push_back(i - last);
            last = i;
        }
    }
    if (halves.empty()) {
        std::printf("silent\n");
        return 0;
    }
    std::nth_element(halves.begin(), halves.begin() + static_cast<std::ptrdiff_t>(halves.size() / 2), halves.end());
    std::printf("%zu\n", halves[halves.size() / 2]);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: probe command ID | hotkey ID | list TITLE | find TITLE NAME... | close TITLE | exists "
                     "TITLE | state - | "
                     "level FILE | seconds FILE | pitch FILE\n");
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
    if (verb == "level") {
        return PrintLevel(argv[2]);
    }
    if (verb == "seconds") {
        return PrintSeconds(argv[2]);
    }
    if (verb == "pitch") {
        return PrintPitch(argv[2]);
    }
    if (verb == "state") {
        return PrintState();
    }
    return 2;
}

#include "common/LongPaths.h"

#include "common/LegacyText.h"

namespace {

bool StartsWith(std::wstring_view text, std::wstring_view start) { return text.substr(0, start.size()) == start; }

}  // namespace

bool LongerThanAnyPath(std::string_view text) {
    // A character takes at least one byte, so a text of few enough bytes is short enough.
    return text.size() > kLongestPath &&
           static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0)) >
               kLongestPath;
}

std::wstring WideTextOfAnyLength(const std::function<DWORD(wchar_t* buffer, DWORD size)>& write) {
    std::wstring text(MAX_PATH, L'\0');
    DWORD length = write(text.data(), static_cast<DWORD>(text.size()));
    if (length >= text.size()) {
        text.resize(length);  // the size asked for, terminator included
        length = write(text.data(), static_cast<DWORD>(text.size()));
    }
    if (length == 0 || length >= text.size()) {
        return {};
    }
    text.resize(length);
    return text;
}

std::wstring FullPath(std::string_view path) {
    const std::wstring named = WideText(path, CP_ACP);
    if (named.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return {};
    }
    return WideTextOfAnyLength(
        [&](wchar_t* buffer, DWORD size) { return GetFullPathNameW(named.c_str(), size, buffer, nullptr); });
}

std::wstring LongPath(std::string_view path) {
    std::wstring full = FullPath(path);
    // The empty text, device names (\\.\) and paths already in the long form stay as they are.
    if (full.empty() || StartsWith(full, L"\\\\?\\") || StartsWith(full, L"\\\\.\\")) {
        return full;
    }
    if (StartsWith(full, L"\\\\")) {
        return L"\\\\?\\UNC\\" + full.substr(2);
    }
    return L"\\\\?\\" + full;
}

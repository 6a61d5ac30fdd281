#include "common/LegacyText.h"

#include <cstdint>
#include <cstring>

namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Whether the eight bytes at the offset are all ASCII. Every line of a playlist is checked, and most
// paths are ASCII: passed over a byte at a time, the check made loading a long playlist half as
// slow again as reading its file.
bool EightAsciiBytes(std::string_view text, size_t offset) {
    std::uint64_t bytes = 0;
    std::memcpy(&bytes, text.data() + offset, sizeof bytes);
    return (bytes & 0x8080808080808080u) == 0;
}

}  // namespace

bool IsUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        if (i + 8 <= text.size() && EightAsciiBytes(text, i)) {
            i += 8;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(text[i]);
        size_t length;
        unsigned minimum;
        unsigned value;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if ((c & 0xE0) == 0xC0) {
            length = 2, minimum = 0x80, value = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            length = 3, minimum = 0x800, value = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            length = 4, minimum = 0x10000, value = c & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size()) {
            return false;
        }
        for (size_t k = 1; k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            if (!IsContinuation(next)) {
                return false;
            }
            value = (value << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if (value < minimum || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) {
            return false;
        }
        i += length;
    }
    return true;
}

std::string_view PathFromLine(std::string_view line, UINT processCodePage, UINT legacyCodePage,
                              std::string& converted) {
    if (processCodePage != CP_UTF8 || legacyCodePage == CP_UTF8 || IsUtf8(line)) {
        return line;
    }
    return InCodePage(line, legacyCodePage, CP_UTF8, converted);
}

std::string_view InCodePage(std::string_view text, UINT from, UINT to, std::string& converted) {
    if (from == to) {
        return text;
    }
    converted = NarrowText(WideText(text, from), to);
    return converted;
}

std::string NarrowText(const std::wstring& text, UINT codePage) {
    const int size = static_cast<int>(text.size());
    std::string narrow(
        size == 0 ? 0 : WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr), '\0');
    if (!narrow.empty()) {
        WideCharToMultiByte(codePage, 0, text.data(), size, narrow.data(), static_cast<int>(narrow.size()), nullptr,
                            nullptr);
    }
    return narrow;
}

std::wstring WideText(std::string_view text, UINT codePage) {
    const int size = static_cast<int>(text.size());
    std::wstring wide(size == 0 ? 0 : MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0), L'\0');
    if (!wide.empty()) {
        MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    }
    return wide;
}

UINT LegacyAnsiCodePage() {
    // The locale's own ANSI code page, which the process code page set by the manifest does not change.
    UINT codePage = 0;
    if (GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                       reinterpret_cast<LPSTR>(&codePage), sizeof codePage / sizeof(char)) == 0 ||
        codePage == 0) {
        return 1252;
    }
    return codePage;
}

#include "common/CharacterWalk.h"

namespace {

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

bool IsDoubleByteCodePage(UINT codePage) {
    const auto ask = [](UINT page) {
        CPINFO info{};
        return page != CP_UTF8 && GetCPInfo(page, &info) && info.MaxCharSize > 1;
    };
    // The list and the tip ask for every entry, nearly always in the system's code page: that answer
    // is asked once, and the first caller's thread sets it safely for both threads that walk texts.
    static const UINT systemPage = GetACP();
    static const bool systemDoubleByte = ask(systemPage);
    return codePage == systemPage ? systemDoubleByte : ask(codePage);
}

size_t NextCharacter(std::string_view text, size_t offset, UINT codePage) {
    const auto c = static_cast<unsigned char>(text[offset]);
    size_t next = offset + 1;
    if (c < 0x80) {
        return next;
    }
    if (codePage == CP_UTF8) {
        while (next < text.size() && IsUtf8Continuation(text[next])) {
            ++next;
        }
    } else if (IsDBCSLeadByteEx(codePage, c) && next < text.size()) {
        ++next;  // the trail byte is part of this character
    }
    return next;
}

size_t CharacterStartFrom(std::string_view text, size_t offset, UINT codePage) {
    if (offset >= text.size()) {
        return text.size();
    }
    if (codePage == CP_UTF8) {
        while (offset < text.size() && IsUtf8Continuation(text[offset])) {
            ++offset;
        }
        return offset;
    }
    if (!IsDoubleByteCodePage(codePage)) {
        return offset;  // every byte is a character
    }
    // A trail byte cannot be told from a lead byte by itself: walk from the start.
    size_t start = 0;
    while (start < offset) {
        start = NextCharacter(text, start, codePage);
    }
    return start;
}

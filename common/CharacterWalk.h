#pragma once

#include <windows.h>

#include <string_view>

// Walking 8-bit text by character in a code page: single-byte, double-byte (a lead byte and the
// byte after it are one character, and that byte may look like a backslash) or UTF-8.

// Whether the code page has characters of two bytes, whose second may look like a backslash. In
// single-byte code pages and in UTF-8 every byte 0x5C is a backslash, and text may be searched by byte.
bool IsDoubleByteCodePage(UINT codePage);

// The offset just past the character that starts at the offset.
size_t NextCharacter(std::string_view text, size_t offset, UINT codePage);

// The start of the first whole character at or after the byte offset (the text's size when none is).
size_t CharacterStartFrom(std::string_view text, size_t offset, UINT codePage);

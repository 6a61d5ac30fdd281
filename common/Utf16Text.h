#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// Turns the bytes of a UTF-16 text, as they come piece by piece, into text in an 8-bit code page.
// A unit or a surrogate pair cut by the end of a piece is completed by the next one.
class Utf16Decoder {
public:
    Utf16Decoder(bool bigEndian, UINT codePage) : bigEndian_(bigEndian), codePage_(codePage) {}

    // The text of the next bytes; valid until the next call.
    std::string_view Decode(std::string_view bytes);
    // The end of the text: half a surrogate pair left over is converted as it is, half a unit dropped.
    std::string_view Finish();

private:
    wchar_t Unit(size_t index) const;
    std::string_view Convert(size_t units);

    bool bigEndian_;
    UINT codePage_;
    std::string bytes_;  // the units still to convert, beginning with what the last piece left
    std::wstring wide_;
    std::string text_;
};

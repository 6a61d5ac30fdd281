#include "common/Utf16Text.h"

std::string_view Utf16Decoder::Decode(std::string_view bytes) {
    bytes_.append(bytes);
    size_t units = bytes_.size() / 2;
    // The first half of a pair waits for its second half in the next piece.
    if (units > 0 && (Unit(units - 1) & 0xFC00) == 0xD800) {
        --units;
    }
    const std::string_view text = Convert(units);
    bytes_.erase(0, units * 2);
    return text;
}

std::string_view Utf16Decoder::Finish() {
    const std::string_view text = Convert(bytes_.size() / 2);
    bytes_.clear();
    return text;
}

wchar_t Utf16Decoder::Unit(size_t index) const {
    const auto first = static_cast<unsigned char>(bytes_[2 * index]);
    const auto second = static_cast<unsigned char>(bytes_[2 * index + 1]);
    return static_cast<wchar_t>(bigEndian_ ? (first << 8) | second : (second << 8) | first);
}

std::string_view Utf16Decoder::Convert(size_t units) {
    wide_.resize(units);
    for (size_t i = 0; i < units; ++i) {
        wide_[i] = Unit(i);
    }
    const int size = static_cast<int>(units);
    text_.resize(units == 0 ? 0 : WideCharToMultiByte(codePage_, 0, wide_.data(), size, nullptr, 0, nullptr, nullptr));
    if (!text_.empty()) {
        WideCharToMultiByte(codePage_, 0, wide_.data(), size, text_.data(), static_cast<int>(text_.size()), nullptr,
                            nullptr);
    }
    return text_;
}

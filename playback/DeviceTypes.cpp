#include "playback/DeviceTypes.h"

#include <algorithm>
#include <array>

namespace {

struct DeviceTypeRow {
    std::string_view extension;
    std::string_view deviceType;
};

// Tested in this order; the first match wins. The two capitalised extensions make no difference.
// The formats after ".wvx" play through DirectShow where Windows has a decoder for them; where it
// has none, the open or the play fails and the entry is passed over like any file that cannot play.
constexpr std::array<DeviceTypeRow, 36> kDeviceTypes{{
    {".avi", "avivideo"},   {".cda", "CDAudio"},    {".Mid", "Sequencer"},  {".rmi", "Sequencer"},
    {".Wav", "WaveAudio"},  {".aif", "MPEGVideo"},  {".aifc", "MPEGVideo"}, {".aiff", "MPEGVideo"},
    {".asf", "MPEGVideo2"}, {".asx", "MPEGVideo2"}, {".au", "MPEGVideo"},   {".ivf", "MPEGVideo2"},
    {".m1v", "MPEGVideo"},  {".m3u", "MPEGVideo2"}, {".mp2", "MPEGVideo"},  {".mp2v", "MPEGVideo"},
    {".mp3", "MPEGVideo2"}, {".mpa", "MPEGVideo"},  {".mpe", "MPEGVideo"},  {".mpeg", "MPEGVideo"},
    {".mpg", "MPEGVideo"},  {".mpv2", "MPEGVideo"}, {".snd", "MPEGVideo"},  {".wax", "MPEGVideo2"},
    {".wm", "MPEGVideo2"},  {".wma", "MPEGVideo2"}, {".wmp", "MPEGVideo2"}, {".wmv", "MPEGVideo2"},
    {".wmx", "MPEGVideo2"}, {".wvx", "MPEGVideo2"}, {".flac", "MPEGVideo"}, {".m4a", "MPEGVideo"},
    {".aac", "MPEGVideo"},  {".ogg", "MPEGVideo"},  {".oga", "MPEGVideo"},  {".opus", "MPEGVideo"},
}};

constexpr char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Letter case ignored. Every extension in the table is plain ASCII: a byte of a double-byte
// character (lead bytes are 0x81 and above) can never equal one of them, so folding ASCII letters
// gives the same answer as a comparison that treats each double-byte character as one unit,
// without asking the locale.
bool SameExtension(std::string_view extension, std::string_view ofRow) {
    return std::equal(extension.begin(), extension.end(), ofRow.begin(), ofRow.end(),
                      [](char a, char b) { return FoldAscii(a) == FoldAscii(b); });
}

}  // namespace

const char* DeviceTypeNameFor(std::string_view extension) {
    // The rows in order: the first that matches gives its device type.
    for (size_t i = 0; i < kDeviceTypes.size(); ++i) {
        if (SameExtension(extension, kDeviceTypes[i].extension)) {
            return kDeviceTypes[i].deviceType.data();  // a literal: its data ends with a NUL
        }
    }
    return nullptr;
}

std::string DeviceTypeFor(std::string_view extension) {
    const char* name = DeviceTypeNameFor(extension);
    return name ? std::string(name) : std::string();
}

std::vector<std::string_view> MediaExtensions() {
    std::vector<std::string_view> extensions(kDeviceTypes.size());
    std::transform(kDeviceTypes.begin(), kDeviceTypes.end(), extensions.begin(),
                   [](const DeviceTypeRow& row) { return row.extension; });
    return extensions;
}

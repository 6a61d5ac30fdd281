#include "playback/DeviceTypes.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>

#include "common/AsciiText.h"

namespace {

struct DeviceTypeRow {
    std::string_view extension;
    std::string_view deviceType;
};

// Tested in this order; the first match wins. The two capitalised extensions make no difference.
// The formats after ".wvx" play through DirectShow where Windows has a decoder for them; where it
// has none, the open or the play fails and the entry is passed over like any file that cannot play.
constexpr std::array<DeviceTypeRow, 35> kDeviceTypes{{
    {".avi", "avivideo"},   {".cda", "CDAudio"},    {".Mid", "Sequencer"},  {".rmi", "Sequencer"},
    {".Wav", "WaveAudio"},  {".aif", "MPEGVideo"},  {".aifc", "MPEGVideo"}, {".aiff", "MPEGVideo"},
    {".asf", "MPEGVideo2"}, {".asx", "MPEGVideo2"}, {".au", "MPEGVideo"},   {".ivf", "MPEGVideo2"},
    {".m1v", "MPEGVideo"},  {".mp2", "MPEGVideo"},  {".mp2v", "MPEGVideo"}, {".mp3", "MPEGVideo2"},
    {".mpa", "MPEGVideo"},  {".mpe", "MPEGVideo"},  {".mpeg", "MPEGVideo"}, {".mpg", "MPEGVideo"},
    {".mpv2", "MPEGVideo"}, {".snd", "MPEGVideo"},  {".wax", "MPEGVideo2"}, {".wm", "MPEGVideo2"},
    {".wma", "MPEGVideo2"}, {".wmp", "MPEGVideo2"}, {".wmv", "MPEGVideo2"}, {".wmx", "MPEGVideo2"},
    {".wvx", "MPEGVideo2"}, {".flac", "MPEGVideo"}, {".m4a", "MPEGVideo"},  {".aac", "MPEGVideo"},
    {".ogg", "MPEGVideo"},  {".oga", "MPEGVideo"},  {".opus", "MPEGVideo"},
}};

// An extension folded to lower case (common/AsciiText.h: the table's extensions are ASCII) and packed
// with its length into one number, so that a look-up compares numbers, not texts; 0 for one longer
// than any of the table.
constexpr std::uint64_t KeyOf(std::string_view extension) {
    constexpr size_t kLongest = 7;  // bytes of text; the eighth holds the length
    if (extension.size() > kLongest) {
        return 0;
    }
    return std::accumulate(
        extension.begin(), extension.end(), std::uint64_t{extension.size()},
        [](std::uint64_t key, char c) { return (key << 8) | static_cast<unsigned char>(LowerAscii(c)); });
}

using Keys = std::array<std::uint64_t, kDeviceTypes.size()>;

constexpr Keys KeysOfTheTable() {
    Keys keys{};
    for (size_t i = 0; i < kDeviceTypes.size(); ++i) {
        keys[i] = KeyOf(kDeviceTypes[i].extension);
    }
    return keys;
}

constexpr Keys kKeys = KeysOfTheTable();

}  // namespace

const char* DeviceTypeNameFor(std::string_view extension) {
    const std::uint64_t key = KeyOf(extension);
    const auto row = std::find(kKeys.begin(), kKeys.end(), key);
    // The table's texts are literals: each view's data ends with a NUL.
    return key == 0 || row == kKeys.end() ? nullptr : kDeviceTypes[row - kKeys.begin()].deviceType.data();
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

DeviceKind DeviceKindOf(std::string_view deviceType) {
    if (deviceType == "WaveAudio") return DeviceKind::Wave;
    if (deviceType == "MPEGVideo" || deviceType == "MPEGVideo2") return DeviceKind::Mpeg;
    return DeviceKind::Other;
}

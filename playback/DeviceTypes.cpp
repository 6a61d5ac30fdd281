#include "playback/DeviceTypes.h"

#include <algorithm>
#include <array>

namespace {

struct DeviceTypeRow {
    std::string_view extension;
    std::string_view deviceType;
};

// Tested in this order; the first match wins. The two capitalised extensions make no difference.
constexpr std::array<DeviceTypeRow, 30> kDeviceTypes{{
    {".avi", "avivideo"},    {".cda", "CDAudio"},     {".Mid", "Sequencer"},   {".rmi", "Sequencer"},
    {".Wav", "WaveAudio"},   {".aif", "MPEGVideo"},   {".aifc", "MPEGVideo"},  {".aiff", "MPEGVideo"},
    {".asf", "MPEGVideo2"},  {".asx", "MPEGVideo2"},  {".au", "MPEGVideo"},    {".ivf", "MPEGVideo2"},
    {".m1v", "MPEGVideo"},   {".m3u", "MPEGVideo2"},  {".mp2", "MPEGVideo"},   {".mp2v", "MPEGVideo"},
    {".mp3", "MPEGVideo2"},  {".mpa", "MPEGVideo"},   {".mpe", "MPEGVideo"},   {".mpeg", "MPEGVideo"},
    {".mpg", "MPEGVideo"},   {".mpv2", "MPEGVideo"},  {".snd", "MPEGVideo"},   {".wax", "MPEGVideo2"},
    {".wm", "MPEGVideo2"},   {".wma", "MPEGVideo2"},  {".wmp", "MPEGVideo2"},  {".wmv", "MPEGVideo2"},
    {".wmx", "MPEGVideo2"},  {".wvx", "MPEGVideo2"},
}};

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Every extension in the table is plain ASCII. A byte of a double-byte character (lead bytes are
// 0x81 and above) can never equal one of them, so folding ASCII letters only gives the same answer
// as a comparison that treats each double-byte character as one unit, without asking the locale.
bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string DeviceTypeFor(std::string_view extension) {
    const auto row = std::find_if(kDeviceTypes.begin(), kDeviceTypes.end(), [extension](const DeviceTypeRow& candidate) {
        return EqualIgnoringCase(extension, candidate.extension);
    });
    if (row == kDeviceTypes.end()) {
        return {};
    }
    const DeviceTypeRow& match = *row;
    return std::string(match.deviceType);
}

std::vector<std::string_view> MediaExtensions() {
    std::vector<std::string_view> extensions(kDeviceTypes.size());
    std::transform(kDeviceTypes.begin(), kDeviceTypes.end(), extensions.begin(),
                   [](const DeviceTypeRow& row) { return row.extension; });
    return extensions;
}

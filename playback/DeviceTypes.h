#pragma once

#include <string>
#include <string_view>
#include <vector>

// The MCI device type that plays files with this extension (".mp3" -> "MPEGVideo2"), or the empty
// text when the player does not take such files. The extension alone decides; letter case is ignored.
std::string DeviceTypeFor(std::string_view extension);
// The same as the table's own text, which lasts as long as the program; null when there is none.
const char* DeviceTypeNameFor(std::string_view extension);

// The devices the player treats apart: a wave device stops late and starts soon; the MPEG devices
// (DirectShow) start late, end early and take a volume of their own.
enum class DeviceKind { Wave, Mpeg, Other };
DeviceKind DeviceKindOf(std::string_view deviceType);

// Every extension that has a device type, in the order of the table (which the media file chooser's
// filter follows), as the table spells it.
std::vector<std::string_view> MediaExtensions();

#pragma once

#include <string>
#include <string_view>

// The MCI device type that plays files with this extension (".mp3" -> "MPEGVideo2"), or the empty
// text when the player does not take such files. The extension alone decides; letter case is ignored.
std::string DeviceTypeFor(std::string_view extension);

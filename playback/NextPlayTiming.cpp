#include "playback/NextPlayTiming.h"

#include "playback/DeviceTypes.h"

namespace {

// Heard under Wine (bench/hearing.py's recording): a wave device sounds about 8 ms after its play
// and its last sample about as long after its length; an MPEG device sounds about 250 ms after its
// play (its graph delays the start by 200 ms) and its last heard sample comes about 100 ms after
// its length, some 50 ms after its end-of-play notice. Each lead is the one end less the other
// start, with a few milliseconds to spare against an overlap, as the gaps heard over chains of
// entries of each kind came out.
int LeadMs(DeviceKind ending, DeviceKind next) {
    if (ending == DeviceKind::Wave) return next == DeviceKind::Wave ? 0 : -252;
    return next == DeviceKind::Wave ? 105 : -148;
}

}  // namespace

std::optional<DWORD> NextPlayDue(std::string_view endingType, std::string_view nextType, DWORD lengthMs,
                                 bool measuredLeads) {
    const DeviceKind ending = DeviceKindOf(endingType), next = DeviceKindOf(nextType);
    if (lengthMs == 0 || ending == DeviceKind::Other || next == DeviceKind::Other) {
        return std::nullopt;
    }
    const long long due = static_cast<long long>(lengthMs) + (measuredLeads ? LeadMs(ending, next) : 0);
    return static_cast<DWORD>(due > 0 ? due : 0);
}

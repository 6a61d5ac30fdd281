// The benchmarks' door to MCI: every command goes to MCI as in the program, and the moment MCI
// accepted the last play is noted, so that the end of an entry can be timed to the next play's start.

#include "bench/TimedMci.h"

#include "bench/Timing.h"
#include "playback/MciCommand.h"

namespace {

double playAcceptedAt = 0;

}  // namespace

MCIERROR SendMciCommand(MCIDEVICEID deviceId, UINT message, DWORD_PTR flags, DWORD_PTR parameters) {
    const MCIERROR result = mciSendCommandA(deviceId, message, flags, parameters);
    if (message == MCI_PLAY && result == 0) {
        playAcceptedAt = Now();
    }
    return result;
}

double LastPlayAcceptedAt() { return playAcceptedAt; }

#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/ScratchFiles.h"

class Playlist;
// The paths of a playlist's entries, in order.
std::vector<std::string> PathsOf(const Playlist& playlist);

// The media files made at build time (short.wav, short.mp3, short.flac...), by their Windows path.
std::string Fixture(const std::string& name);
// A native Windows build without bash, lame or gst-launch-1.0 has none: the tests that need them are
// skipped there.
#define SKIP_WITHOUT_FIXTURES() \
    if (!PIPIT_HAVE_FIXTURES) GTEST_SKIP() << "no media fixtures in this build (needs bash, lame and gst-launch-1.0)"

// Dispatches this thread's messages until the condition holds or the time runs out; returns the condition.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs);
// Dispatches whatever is queued now and for the given time.
void PumpFor(DWORD milliseconds);
// Dispatches until the queue holds no MCI notice and no marker of a playback stop: every notice
// posted so far has been handled.
bool PumpUntilNoticesTaken(DWORD timeoutMs = 5000);

// The number of MCI devices this process holds open.
int OpenMciDeviceCount();
// The files of the MCI devices this process holds open (a device opened on a file is named by it),
// in no particular order.
std::vector<std::string> OpenMciDeviceFiles();
// An MCI device's position (in its time format) and mode (MCI_MODE_PLAY, MCI_MODE_PAUSE, ...).
DWORD PositionOf(UINT deviceId);
DWORD ModeOf(UINT deviceId);

// A hidden top-level window that records the MM_MCINOTIFY messages it receives (wParam, lParam).
class NotifyWindow {
public:
    NotifyWindow();
    ~NotifyWindow();
    HWND Handle() const { return window_; }
    std::vector<std::pair<WPARAM, LPARAM>> notifications;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
};

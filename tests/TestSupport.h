#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// A fresh folder under the temporary folder, removed with everything in it at the end of the test.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path joined with a name, without a trailing backslash.
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

class Playlist;
// The paths of a playlist's entries, in order.
std::vector<std::string> PathsOf(const Playlist& playlist);

// The media files made at build time (short.wav, short.mp3), by their Windows path.
std::string Fixture(const std::string& name);

// A PCM WAV of silence lasting the given milliseconds.
void WriteWav(const std::string& path, int milliseconds);
void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
bool FileExists(const std::string& path);

// Dispatches this thread's messages until the condition holds or the time runs out; returns the condition.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs);
// Dispatches whatever is queued now and for the given time.
void PumpFor(DWORD milliseconds);

// The number of MCI devices this process holds open.
int OpenMciDeviceCount();

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

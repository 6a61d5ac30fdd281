#pragma once

// Files the tests and the benchmarks make for themselves: a scratch folder and small media files.
// No test framework here, so that the benchmarks can use it too.

#include <windows.h>

#include <string>
#include <vector>

// A fresh folder under the temporary folder, removed with everything in it when the guard goes.
class TempFolder {
public:
    explicit TempFolder(const std::string& prefix = "pipit-test-");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path joined with a name, without a trailing backslash.
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// A PCM WAV of silence lasting the given milliseconds.
void WriteWav(const std::string& path, int milliseconds);
// Returns false when the file could not be written whole.
bool WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
bool FileExists(const std::string& path);

// A drop handle as the shell makes it for the given paths, as dragged onto a window; the receiver
// frees it with DragFinish.
HGLOBAL MakeDrop(const std::vector<std::string>& paths);

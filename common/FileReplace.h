#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

// Gives a file new content without ever writing in place. `write` writes the whole content to the
// handle it is given, and returns false (the reason left for GetLastError) when it cannot.
//
// The content goes into a file of its own beside the file that the path names, or that a link at
// the path points to, and then replaces it in one step, so that the old file stays byte for byte
// until the new one is whole and on the disk. The replacement keeps what the old file carried: its
// attributes (hidden stays hidden), security, creation time and streams. Other hard links to the
// old file keep the old content, as only writing in place could change it. A read-only file is not
// replaced. The file beside is named after the file with ".saving" added;
// a save cut short leaves at most that one, which the next save of the same file reuses.
//
// A file that another program holds without sharing its deletion (a virus scanner, the search
// indexer) is tried again for up to `patienceMs`; with no patience, such a file fails at once,
// before anything is written.
//
// Returns false, with the system's reason for GetLastError, when anything fails.
constexpr DWORD kSavePatienceMs = 1000;
bool WriteFileAnew(std::string_view path, const std::function<bool(HANDLE)>& write, DWORD patienceMs = kSavePatienceMs);

// Writes all the bytes to the file, for the `write` of WriteFileAnew. A write that takes only part
// of them has met the end of the room: false, with ERROR_DISK_FULL.
bool WriteAll(HANDLE file, std::string_view bytes);

#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

class Playlist;

// How the paths came, which decides how a folder's path is joined with the names in it.
enum class PathsFrom {
    // Handed over from the command line or another copy: a folder given as "C:\" is searched as "C:\".
    CommandLine,
    // Dropped on the Playlist dialog: a backslash always follows the folder's path, also after a
    // drive root's, as drops always had it.
    Drop,
};

// The entries that paths give, in the order of the paths: a media file as itself, a playlist file's
// entries (.ppl, .m3u, .m3u8, .pls) as Load reads them, a folder's media files with all its
// sub-folders'. A path that does not exist gives nothing. A playlist file that cannot be read ends
// the search; it is named in `unreadable` with the system's reason.
struct FoundEntries {
    std::unique_ptr<Playlist> playlist;
    std::string unreadable;
    DWORD error = ERROR_SUCCESS;
};
FoundEntries FindEntries(const std::vector<std::string>& paths, PathsFrom from,
                         const std::atomic<bool>* cancelled = nullptr);

// A search of paths for entries, done on a thread of its own so that the tray, the hotkeys and the
// dialogs answer meanwhile, however large the folders or slow the network.
struct PathSearch {
    std::vector<std::string> paths;
    PathsFrom from = PathsFrom::Drop;
    unsigned forPlaylist = 0;  // the caller's note of the playlist the entries are meant for
    FoundEntries found;
    std::atomic<bool> cancelled{false};
};

// Starts the search after those started before it. When it is done, the window is posted
// WM_PATHS_FOUND; the searches are finished, and taken, in the order they were started.
void StartPathSearch(HWND window, std::unique_ptr<PathSearch> search);
// The next finished search, or none.
std::unique_ptr<PathSearch> TakeFinishedPathSearch();
// Whether a search was started and has not been taken yet.
bool PathSearchesUnderWay();
// Cancels every search not yet taken: the one under way stops at its next file, and each comes
// back marked cancelled.
void CancelPathSearches();
// Forgets every search not yet taken, when the window that takes them goes: nothing of them comes
// back, and none counts as under way.
void ForgetPathSearches();
// Forgets them, and waits until the search under way has stopped at its next file; false when it
// did not stop in time (it waits on a network that does not answer).
bool PathSearchesStopWithin(DWORD milliseconds);

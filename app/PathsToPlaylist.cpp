#include "app/PathsToPlaylist.h"

#include "app/AppState.h"
#include "app/HandlerScope.h"
#include "dialogs/FailureMessage.h"
#include "playback/PathSearch.h"

namespace {

// Hand-overs that come this close after each other are taken for one opening of several files.
constexpr DWORD kHandOverGapMs = 1000;

// The hand-overs that make one playlist.
struct HandOverGroup {
    bool started = false;
    DWORD lastArrival = 0;
    int searching = 0;      // its hand-overs whose search has not come back
    bool replaced = false;  // entries of it have replaced the playlist
    unsigned playlist = 0;  // the playlist it made, by its generation
};

HandOverGroup group;

// Owned by the Playlist dialog where it is open, so that it comes up in front of it.
void ShowUnreadable(HWND window, const FoundEntries& found) {
    ShowFileFailure(GetLastActivePopup(window), "The playlist was not loaded.", found.unreadable, found.error);
}

void TakeHandedOver(HWND window, PathSearch& search) {
    if (group.searching > 0) {
        --group.searching;
    }
    group.lastArrival = GetTickCount();  // the pause is counted from the end of its opening
    FoundEntries& found = search.found;
    if (search.cancelled) {
        return;
    }
    if (!found.unreadable.empty()) {
        ShowUnreadable(window, found);
        return;
    }
    if (found.playlist->GetCount() == 0) {
        return;
    }
    if (!group.replaced) {
        // Not ReplacePlaylist: the searches of the group's other hand-overs go on, for this playlist.
        StopPlayback();
        MakeLive(std::move(found.playlist));
        group.replaced = true;
        group.playlist = LivePlaylistGeneration();
        PlayCurrentAndShow(window);
    } else if (group.playlist == LivePlaylistGeneration()) {
        AppendToLivePlaylist(*found.playlist);
    }
}

void TakeDropped(HWND window, PathSearch& search) {
    if (search.cancelled || search.forPlaylist != LivePlaylistGeneration()) {
        return;
    }
    if (!search.found.unreadable.empty()) {
        ShowUnreadable(window, search.found);
        return;
    }
    AppendToLivePlaylist(*search.found.playlist);
}

}  // namespace

void OpenPaths(HWND window, std::vector<std::string> paths) {
    const DWORD now = GetTickCount();
    if (!group.started || (group.searching == 0 && now - group.lastArrival > kHandOverGapMs)) {
        group = HandOverGroup{true, now};
    }
    group.lastArrival = now;
    ++group.searching;
    auto search = std::make_unique<PathSearch>();
    search->paths = std::move(paths);
    search->from = PathsFrom::CommandLine;
    StartPathSearch(window, std::move(search));
}

void ForgetHandOvers() { group = HandOverGroup{}; }

LRESULT OnPathsFound(HWND window) {
    while (std::unique_ptr<PathSearch> search = TakeFinishedPathSearch()) {
        if (search->from == PathsFrom::CommandLine) {
            TakeHandedOver(window, *search);
        } else {
            TakeDropped(window, *search);
        }
    }
    return 0;
}

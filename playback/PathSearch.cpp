#include "playback/PathSearch.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "common/PrivateIds.h"
#include "playback/DisplayName.h"
#include "playback/FolderSearch.h"
#include "playback/Playlist.h"
#include "playback/PlaylistKinds.h"

namespace {

bool EndsWithBackslash(const std::string& path) {
    // A last byte 0x5C may be the second byte of a double-byte character, not a backslash.
    return FileNameOffset(path, GetACP()) == path.size();
}

// One thread takes the searches in turn. It is never joined: a search may wait on a network that
// does not answer, and the player must end at once all the same. So that it never touches memory
// freed at the end of the process, what it shares with the player is never freed.
class Searcher {
public:
    void Start(HWND window, std::unique_ptr<PathSearch> search) {
        const std::lock_guard<std::mutex> lock(mutex_);
        waiting_.emplace_back(window, std::move(search));
        ++notTaken_;
        if (!running_) {
            running_ = true;
            std::thread([this] { Run(); }).detach();
        }
        wake_.notify_one();
    }

    std::unique_ptr<PathSearch> TakeFinished() {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (finished_.empty()) {
            return nullptr;
        }
        std::unique_ptr<PathSearch> search = std::move(finished_.front());
        finished_.pop_front();
        --notTaken_;
        return search;
    }

    bool UnderWay() {
        const std::lock_guard<std::mutex> lock(mutex_);
        return notTaken_ > 0;
    }

    void ForgetAll() {
        const std::lock_guard<std::mutex> lock(mutex_);
        for (const auto& [window, search] : waiting_) {
            search->cancelled = true;  // comes back to nobody
        }
        notTaken_ -= static_cast<int>(waiting_.size() + finished_.size());
        waiting_.clear();
        finished_.clear();
        if (current_) {
            current_->cancelled = true;
            forgetCurrent_ = true;
            --notTaken_;
        }
    }

    bool StopWithin(DWORD milliseconds) {
        std::unique_lock<std::mutex> lock(mutex_);
        return idle_.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return current_ == nullptr; });
    }

    void CancelAll() {
        const std::lock_guard<std::mutex> lock(mutex_);
        for (const auto& [window, search] : waiting_) {
            search->cancelled = true;
        }
        if (current_) {
            current_->cancelled = true;
        }
        for (const auto& search : finished_) {
            search->cancelled = true;
        }
    }

private:
    void Run() {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return !waiting_.empty(); });
            auto [window, search] = std::move(waiting_.front());
            waiting_.pop_front();
            current_ = search.get();
            lock.unlock();
            search->found = FindEntries(search->paths, search->from, &search->cancelled);
            lock.lock();
            current_ = nullptr;
            idle_.notify_all();
            if (forgetCurrent_) {
                forgetCurrent_ = false;
                continue;
            }
            finished_.push_back(std::move(search));
            PostMessageA(window, WM_PATHS_FOUND, 0, 0);
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<std::pair<HWND, std::unique_ptr<PathSearch>>> waiting_;
    PathSearch* current_ = nullptr;
    std::deque<std::unique_ptr<PathSearch>> finished_;
    int notTaken_ = 0;
    bool forgetCurrent_ = false;
    bool running_ = false;
};

Searcher& TheSearcher() {
    static auto* const searcher = new Searcher;  // never freed: see Searcher
    return *searcher;
}

}  // namespace

FoundEntries FindEntries(const std::vector<std::string>& paths, PathsFrom from, const std::atomic<bool>* cancelled) {
    FoundEntries found{std::make_unique<Playlist>(), {}, ERROR_SUCCESS};
    for (const std::string& path : paths) {
        if (cancelled && *cancelled) {
            break;
        }
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            continue;
        }
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            const bool joined = from == PathsFrom::CommandLine && EndsWithBackslash(path);
            AddFolder(*found.playlist, joined ? path : path + "\\", cancelled);
        } else if (IsPlaylistFileName(path)) {
            if (!found.playlist->Load(path)) {
                found.unreadable = path;
                found.error = GetLastError();
                break;
            }
        } else {
            found.playlist->Add(path);
        }
    }
    return found;
}

void StartPathSearch(HWND window, std::unique_ptr<PathSearch> search) {
    TheSearcher().Start(window, std::move(search));
}

std::unique_ptr<PathSearch> TakeFinishedPathSearch() { return TheSearcher().TakeFinished(); }

bool PathSearchesUnderWay() { return TheSearcher().UnderWay(); }

void CancelPathSearches() { TheSearcher().CancelAll(); }

void ForgetPathSearches() { TheSearcher().ForgetAll(); }

bool PathSearchesStopWithin(DWORD milliseconds) {
    TheSearcher().ForgetAll();
    return TheSearcher().StopWithin(milliseconds);
}

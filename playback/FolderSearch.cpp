#include "playback/FolderSearch.h"

#include <windows.h>

#include <set>
#include <utility>
#include <vector>

#include "common/ScopedHandles.h"
#include "playback/Playlist.h"

namespace {

// A folder's identity: its volume and its file index, the same whatever path (or link) leads to it.
using FolderId = std::pair<DWORD, ULONGLONG>;

bool IdentifyFolder(const std::string& folderPath, FolderId& id) {
    const ScopedFile folder(CreateFileA(folderPath.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!folder.Valid() || !GetFileInformationByHandle(folder.Get(), &info)) {
        return false;
    }
    id = {info.dwVolumeSerialNumber, (ULONGLONG{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
    return true;
}

// A path the platform cannot open (MAX_PATH characters or more) would only fail when played.
bool Openable(const std::string& path) {
    const int characters = MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    return characters > 0 && characters < MAX_PATH;
}

bool IsDotEntry(const char* name) { return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')); }

// The folders searched so far. Only a link (a junction or a symbolic link) can lead to one of them a
// second time, and identifying a folder costs the platform an open of it, so the folders are only
// listed until the search meets its first link; from then on each is identified, the listed ones too.
class SearchedFolders {
public:
    // Records the folder; false when it has been searched before.
    bool Enter(const std::string& folderPath, bool throughLink) {
        if (throughLink && !identifying_) {
            identifying_ = true;
            for (const std::string& listed : listed_) {
                Remember(listed);
            }
            listed_.clear();
        }
        if (!identifying_) {
            listed_.push_back(folderPath);
            return true;
        }
        return Remember(folderPath);
    }

private:
    // False when the folder's identity is known already; a folder that cannot be identified is searched.
    bool Remember(const std::string& folderPath) {
        FolderId id;
        return !IdentifyFolder(folderPath, id) || identities_.insert(id).second;
    }

    bool identifying_ = false;
    std::vector<std::string> listed_;
    std::set<FolderId> identities_;
};

struct TreeSearch {
    Playlist& playlist;
    SearchedFolders searched;
    const std::atomic<bool>* cancelled;
    bool Cancelled() const { return cancelled && cancelled->load(std::memory_order_relaxed); }
};

void SearchFolder(TreeSearch& tree, const std::string& folderPath, bool throughLink) {
    if (!tree.searched.Enter(folderPath, throughLink)) {
        return;  // met before: a link back into the tree
    }
    WIN32_FIND_DATAA found;
    const ScopedFind search(FindFirstFileA((folderPath + "*.*").c_str(), &found));
    if (!search.Valid()) {
        return;
    }
    do {
        if (tree.Cancelled()) {
            return;
        }
        if (IsDotEntry(found.cFileName)) {
            continue;
        }
        std::string path = folderPath + found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            path += '\\';
            SearchFolder(tree, path, (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0);
        } else if (Openable(path)) {
            tree.playlist.Add(path);
        }
    } while (FindNextFileA(search.Get(), &found));
}

}  // namespace

void AddFolder(Playlist& playlist, const std::string& folderPath, const std::atomic<bool>* cancelled) {
    TreeSearch tree{playlist, {}, cancelled};
    // The folder may itself be a link; it is the first folder searched, so nothing came before.
    SearchFolder(tree, folderPath, false);
}

#include "playback/Playlist.h"

#include "playback/DeviceTypes.h"
#include "playback/DisplayName.h"

#include <string>

Playlist::~Playlist() {
    // Release the chain one entry at a time: letting each entry destroy its successor would recurse
    // as deep as the playlist is long.
    while (head) {
        head = std::move(head->next);
    }
}

void Playlist::Add(std::string_view path) {
    // The last dot of the whole path, folder part included: "D:\Old.Dir\Readme" has the extension
    // ".Dir\Readme" and is refused.
    const size_t dot = path.rfind('.');
    const std::string_view extension = dot == std::string_view::npos ? std::string_view() : path.substr(dot);
    std::string deviceType = DeviceTypeFor(extension);
    if (deviceType.empty()) {
        return;
    }

    auto entry = std::make_unique<PlaylistEntry>();
    entry->path.assign(path);
    entry->deviceType = std::move(deviceType);
    PlaylistEntry* added = entry.get();
    if (count == 0) {
        head = std::move(entry);
        current = 1;
    } else {
        tail->next = std::move(entry);
    }
    tail = added;
    ++count;
}

int Playlist::Next() {
    if (count == 0) {
        current = 0;
        return 0;
    }
    ++current;
    if (current <= count) {
        return 1;
    }
    current = 1;
    return loop != 0 ? 1 : 0;
}

int Playlist::Prev() {
    if (count == 0) {
        current = 0;
        return 0;
    }
    --current;
    if (current > count) {
        current = count;  // a stale position beyond the chain steps back onto the last entry
        return 1;
    }
    if (current >= 1) {
        return 1;
    }
    current = count;
    return 0;
}

int Playlist::SetCurrent(int position) {
    current = position;
    return 1;
}

PlaylistEntry* Playlist::CurrentEntry() const {
    if (current < 1 || current > count) {
        return nullptr;
    }
    PlaylistEntry* entry = head.get();
    int position = 1;
    if (lastWalked && lastWalkedPosition <= current) {
        entry = lastWalked;
        position = lastWalkedPosition;
    }
    for (; position < current; ++position) {
        entry = entry->next.get();
    }
    lastWalked = entry;
    lastWalkedPosition = current;
    return entry;
}

std::string Playlist::CurrentPath() const {
    const PlaylistEntry* entry = CurrentEntry();
    return entry ? entry->path : std::string();
}

void Playlist::FillListBox(HWND listBox, const PlaylistEntry* first) const {
    if (count == 0) {
        return;
    }
    if (first == head.get()) {
        // Room for every item at once, instead of a list that grows item by item.
        SendMessageA(listBox, LB_INITSTORAGE, static_cast<WPARAM>(count), static_cast<LPARAM>(count) * 32);
    }
    const UINT codePage = GetACP();
    std::string shortened;
    for (const PlaylistEntry* entry = first; entry; entry = entry->next.get()) {
        // A whole name is the end of the path, so the path's terminator ends it too.
        const std::string_view name = ListedName(entry->path, codePage, shortened);
        const char* text = name.data() == shortened.data() ? shortened.c_str() : name.data();
        SendMessageA(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessageA(listBox, LB_SETCURSEL, static_cast<WPARAM>(current - 1), 0);
}

#include "playback/Playlist.h"

#include "playback/DeviceTypes.h"
#include "playback/DisplayName.h"

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

void Playlist::FillListBox(HWND listBox) const {
    if (count == 0) {
        return;
    }
    const UINT codePage = GetACP();
    for (const PlaylistEntry* entry = head.get(); entry; entry = entry->next.get()) {
        const char* name = entry->path.c_str() + FileNameOffset(entry->path, codePage);
        SendMessageA(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
    SendMessageA(listBox, LB_SETCURSEL, static_cast<WPARAM>(current - 1), 0);
}

#include "playback/Playlist.h"

#include "playback/DeviceTypes.h"

#include <algorithm>
#include <new>
#include <string>

namespace {

// Blocks grow from a page to 64 KiB: a short playlist takes little, a long one few allocations.
constexpr size_t kFirstBlockSize = size_t{4} * 1024;
constexpr size_t kLargestBlockSize = size_t{64} * 1024;
constexpr size_t kAlignment = alignof(PlaylistEntry);

}  // namespace

// The link, the device id, the path's length and the device type's text: the path follows at once.
static_assert(sizeof(PlaylistEntry) == 2 * sizeof(void*) + 8, "an entry's header holds four fields, unpadded");

void* Playlist::Room(size_t bytes) {
    bytes = (bytes + kAlignment - 1) / kAlignment * kAlignment;
    if (blocks.empty() || blockSize - blockUsed < bytes) {
        // A path longer than a block gets a block of its own size. The size is kept only once the
        // block is there: an allocation that fails leaves the last block and its measure as they were.
        const size_t size =
            std::max(blocks.empty() ? kFirstBlockSize : std::min(2 * blockSize, kLargestBlockSize), bytes);
        blocks.push_back(std::make_unique_for_overwrite<std::byte[]>(size));
        blockSize = size;
        blockUsed = 0;
    }
    void* room = blocks.back().get() + blockUsed;
    blockUsed += bytes;
    return room;
}

void Playlist::Add(std::string_view path) {
    // The last dot of the whole path, folder part included: "D:\Old.Dir\Readme" has the extension
    // ".Dir\Readme" and is refused.
    const size_t dot = path.rfind('.');
    const std::string_view extension = dot == std::string_view::npos ? std::string_view() : path.substr(dot);
    const char* deviceType = DeviceTypeNameFor(extension);
    // A path of 4 GiB or more is no path of any file system, and would not fit the entry's length.
    if (!deviceType || path.size() > UINT32_MAX) {
        return;
    }

    auto* entry = new (Room(sizeof(PlaylistEntry) + path.size() + 1))
        PlaylistEntry(deviceType, static_cast<std::uint32_t>(path.size()));
    char* text = reinterpret_cast<char*>(entry + 1);
    path.copy(text, path.size());
    text[path.size()] = '\0';
    if (count == 0) {
        head = entry;
        current = 1;
    } else {
        tail->next = entry;
    }
    tail = entry;
    ++count;
    ++edits;
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

PlaylistEntry* Playlist::WalkTo(int position) const {
    if (position < 1 || position > count) {
        return nullptr;
    }
    PlaylistEntry* entry = head;
    int at = 1;
    if (lastWalked && lastWalkedPosition <= position) {
        entry = lastWalked;
        at = lastWalkedPosition;
    }
    for (; at < position; ++at) {
        entry = entry->next;
    }
    lastWalked = entry;
    lastWalkedPosition = position;
    return entry;
}

int Playlist::PositionOf(const PlaylistEntry* wanted) const {
    int position = 1;
    for (const PlaylistEntry* entry = head; entry; entry = entry->next, ++position) {
        if (entry == wanted) {
            return position;
        }
    }
    return 0;
}

std::string Playlist::CurrentPath() const {
    const PlaylistEntry* entry = WalkTo(current);
    return entry ? std::string(entry->path()) : std::string();
}

PlaylistEntry* Playlist::EntryBefore(int position) const {
    PlaylistEntry* before = nullptr;
    for (PlaylistEntry* entry = head; position > 1; --position, entry = entry->next) {
        before = entry;
    }
    return before;
}

int Playlist::Remove(int position) {
    if (position < 1 || position > count) {
        return 0;
    }
    PlaylistEntry* before = EntryBefore(position);
    PlaylistEntry* removed = before ? before->next : head;
    (before ? before->next : head) = removed->next;
    if (removed == tail) {
        tail = before;
    }
    --count;
    ++edits;
    lastWalked = nullptr;
    current = PositionAfterRemove(current, position, count);
    return 1;
}

int Playlist::PositionAfterRemove(int position, int removed, int countAfter) {
    if (position > removed || position > countAfter) {
        return position - 1;  // the same file, one place up; or the last taken out, the one before it
    }
    return position;
}

int Playlist::PositionAfterSwap(int position, int a, int b) {
    if (position == a) {
        return b;
    }
    return position == b ? a : position;
}

int Playlist::Move(int position, int places) {
    const int other = position + places;
    if ((places != 1 && places != -1) || position < 1 || position > count || other < 1 || other > count) {
        return 0;
    }
    // Taking the lower of the two out and putting it back after the higher one swaps them.
    const int lower = std::min(position, other);
    PlaylistEntry* before = EntryBefore(lower);
    PlaylistEntry* first = before ? before->next : head;
    PlaylistEntry* second = first->next;
    first->next = second->next;
    second->next = first;
    (before ? before->next : head) = second;
    if (tail == second) {
        tail = first;
    }
    ++edits;
    lastWalked = nullptr;
    current = PositionAfterSwap(current, position, other);
    return 1;
}

#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/NotCopied.h"

// One entry of a playlist, kept in the playlist's own memory with its path right behind it, and
// naming its device type by the device type table's own text: a long playlist takes little more
// than its paths. Made only by its playlist.
class PlaylistEntry {
public:
    // The entry's two texts, named as the entry's fields are named.
    // The path as given to Add, never normalised; its data ends with a NUL.
    // NOLINTNEXTLINE(readability-identifier-naming)
    std::string_view path() const { return {reinterpret_cast<const char*>(this + 1), pathLength}; }
    // The MCI device type that plays it, never empty; its data ends with a NUL.
    // NOLINTNEXTLINE(readability-identifier-naming)
    std::string_view deviceType() const { return deviceTypeName; }

    PlaylistEntry* next = nullptr;
    // The id of the entry's last successfully opened MCI device. MCI hands out ids from 1, so 0
    // names no device: a stop or close sent before the first open is refused and changes nothing.
    UINT deviceId = 0;

private:
    friend class Playlist;
    PlaylistEntry(const char* deviceType, std::uint32_t length) : pathLength(length), deviceTypeName(deviceType) {}

    std::uint32_t pathLength;
    const char* deviceTypeName;
};

// The player's whole content: files in play order, each with the MCI device type that plays it,
// a 1-based current position (0: none) and the loop flag.
class Playlist : NotCopied {
public:
    Playlist() = default;
    virtual ~Playlist() = default;

    // Appends the path when its extension has a device type; the first entry becomes current.
    void Add(std::string_view path);
    // Steps forward, wrapping to entry 1; returns 0 only when it wrapped with the loop flag off.
    int Next();
    // Steps back, wrapping to the last entry; returns 0 when it wrapped.
    int Prev();
    // Makes the position current; the caller keeps it within 1 to the count. Always returns 1: the
    // signature it has always had, kept for code written against it; there is nothing to test.
    int SetCurrent(int position);
    // Takes the entry at the position (1 to the count) out. The current entry stays the same file;
    // where it is the one taken out, the entry after it becomes current, or the one before it when
    // it was the last. Returns 0 for a position outside the playlist.
    int Remove(int position);
    // Swaps the entry at the position with its neighbour one place up (-1) or down (1); the current
    // entry stays the same file. Returns 0 where there is no such neighbour.
    int Move(int position, int places);
    // Where an entry at a position stands once the entry at `removed` is taken out of a playlist
    // that then holds `countAfter` entries: one place up past it; taken out itself, the entry
    // after it takes its place, or the one before it when it was the last. Remove moves the
    // current position so; whoever keeps a position of its own moves it alike.
    static int PositionAfterRemove(int position, int removed, int countAfter);
    // Where an entry at a position stands once the entries at `a` and `b` swapped places.
    static int PositionAfterSwap(int position, int a, int b);
    // Counts every change of the entries (added, taken out, moved).
    unsigned Edits() const { return edits; }
    int GetCount() const { return count; }
    void SetLoop(int flag) { loop = flag; }
    std::string CurrentPath() const;
    // The entry at the position (1 to the count), or none. Entries stay where they are in memory
    // for as long as the playlist lives, also once taken out, so an entry names itself wherever
    // edits move it.
    const PlaylistEntry* EntryAt(int position) const { return WalkTo(position); }
    // The current entry, or none.
    const PlaylistEntry* CurrentEntry() const { return WalkTo(current); }
    // The position of the entry (1 to the count), 0 when it is not in the playlist (any more).
    int PositionOf(const PlaylistEntry* wanted) const;

    // Media control: opens and plays the current entry with a completion notice to the window, and
    // returns 1 when MCI accepted the play (0: nothing plays, and no notice will come); stops and
    // closes its device again. Commands go only to devices the playlist opened for the entry: an
    // entry's id of a device closed since may name another entry's device by now.
    int PlayCurrent(HWND window) { return PlayCurrentFrom(window, 0); }
    // The same from a position in milliseconds; a position the device will not play from (past the
    // entry's end) plays it from its beginning.
    int PlayCurrentFrom(HWND window, DWORD from);
    void StopCurrent();
    // Opens the device of the entry at the position ahead of its turn, set to millisecond time and
    // readied but not played, so that its play is a single command; returns its id, 0 when it
    // would not open.
    UINT OpenAhead(int position);
    // Plays the current entry's device opened ahead, from its beginning; 0 when it has none or MCI
    // refused the play.
    int PlayOpened(HWND window);
    // Whether the current entry has a device of its own open (opened ahead, or playing).
    bool CurrentHoldsDevice() const {
        const PlaylistEntry* entry = WalkTo(current);
        return entry && HoldsOpen(*entry);
    }
    // Gives every MPEG device the playlist holds open the volume of playback/DeviceVolume.h.
    void ApplyMpegDeviceVolume() const;
    // Closes a device this playlist opened (one opened ahead, or an ended entry's), by its id.
    void CloseOpened(UINT deviceId);
    // Parts the current entry from its open device, which stays open until closed by its id; the
    // entry then holds none. Returns the id, 0 when it held none.
    UINT SetCurrentDeviceAside();
    // The length of the current entry's open device in milliseconds, 0 where it has none or MCI
    // does not tell.
    DWORD CurrentLength() const;
    // Where the current entry's open device stands, in milliseconds; 0 where it has none.
    DWORD CurrentPosition() const;
    // Whether the current entry's device is playing now (it has not reached its end).
    bool CurrentPlays() const;
    // Pauses the current entry's device where it is (1), or reports that the device would not (0).
    int PauseCurrent();
    // Plays a paused entry on from where it was paused, with a completion notice to the window (1),
    // or reports that the device would not (0).
    int ResumeCurrent(HWND window);

    // The playlist file: one path per line. Both return 1 on success, 0 on failure (the system's
    // reason left for GetLastError); a load that fails adds nothing.
    int Load(const std::string& fileName);
    int Save(const std::string& fileName) const;

    // The first and the last entry, for walking the chain read-only.
    const PlaylistEntry* Head() const { return head; }
    const PlaylistEntry* Tail() const { return tail; }
    int Current() const { return current; }
    // The id of the current entry's last opened device; 0 (no device) when there is no current entry.
    UINT CurrentDeviceId() const {
        const PlaylistEntry* entry = WalkTo(current);
        return entry ? entry->deviceId : 0;
    }

private:
    // The entry at the position, or none when the position is 0 or lies beyond the chain.
    PlaylistEntry* WalkTo(int position) const;

    int OpenDevice(PlaylistEntry& entry);
    bool HoldsOpen(const PlaylistEntry& entry) const;
    void Closed(UINT deviceId);
    static int SetTimeFormat(UINT deviceId);
    static int PlayDevice(HWND window, UINT deviceId, DWORD from);
    static int PlayDeviceOn(HWND window, UINT deviceId);
    static DWORD StopDevice(UINT deviceId);
    static DWORD CloseDevice(UINT deviceId);
    static DWORD DeviceStatus(UINT deviceId, DWORD item);
    static DWORD DeviceMode(UINT deviceId);

    int count = 0;
    int current = 0;
    int loop = 0;
    PlaylistEntry* head = nullptr;
    PlaylistEntry* tail = nullptr;

    // Room for a new entry and its path. Entries are laid one after another in blocks of the
    // playlist's own, all released with it: one allocation for hundreds of entries, and no heap
    // header on each. An entry taken out keeps its room until then.
    void* Room(size_t bytes);
    std::vector<std::unique_ptr<std::byte[]>> blocks;
    size_t blockSize = 0;
    size_t blockUsed = 0;

    unsigned edits = 0;
    // The devices the playlist has open, each with its entry.
    std::vector<std::pair<UINT, const PlaylistEntry*>> openDevices;
    // What the playlist held before entries were added, so that they can be taken off again.
    struct AddedSince {
        PlaylistEntry* tail;
        int count;
        int current;
    };
    void TakeOffAdded(const AddedSince& before);

    // The entry before the one at the position (none for the first); the position lies in the chain.
    PlaylistEntry* EntryBefore(int position) const;

    // The entry last walked to and its position: stepping forward from it costs one link instead of
    // a walk from the head. Forgotten when entries are taken out or moved.
    mutable PlaylistEntry* lastWalked = nullptr;
    mutable int lastWalkedPosition = 0;
};

// The end of an entry as it happens in the player: while an entry plays, the next one's device is
// opened and made ready ahead, and a timer set from the entry's length starts it as the entry ends.
// Timed from that timer until MCI accepts the next entry's play, in the shell started in this
// process, against a bare MCI play command on a device that is open and ready in the same way.

#include <windows.h>

#include <mmsystem.h>

#include <cstdio>

#include "app/AppState.h"
#include "app/Playing.h"
#include "app/StartUp.h"
#include "bench/Benchmarks.h"
#include "bench/Programs.h"
#include "bench/TimedMci.h"
#include "common/PrivateIds.h"
#include "playback/DeviceTypes.h"

namespace {

constexpr int kFiles = 4;
constexpr int kEntries = 12;
constexpr int kWavMs = 100;
constexpr double kEndTimeoutSeconds = 5;
constexpr int kRepetitions = 21;
// A pause before each timed part, so that what the platform still finishes of an earlier play or
// close in the background falls on no figure, the subject's or a floor's.
constexpr DWORD kSettleMs = 150;

// Waits for the end-of-play notice that MCI posts to the window and takes it from the queue
// undelivered, so that the bench, not the notice, starts what comes next.
bool TakeEndOfPlay(HWND window) {
    Stopwatch watch;
    while (watch.Seconds() < kEndTimeoutSeconds) {
        MSG message;
        while (PeekMessageA(&message, window, MM_MCINOTIFY, MM_MCINOTIFY, PM_REMOVE)) {
            if (message.wParam == MCI_NOTIFY_SUCCESSFUL) {
                return true;
            }
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_POSTMESSAGE);
    }
    std::fprintf(stderr, "bench: no end of play arrived\n");
    return false;
}

// Hands the player the messages its own commands posted (the next entry's device to be opened
// ahead, the markers of its stops), as its message loop would, and no notice of the end of a play:
// the bench, not the notice, ends the entry.
void TakePostedWork(HWND window) {
    for (const UINT message : {WM_PLAYBACK_STOPPED, WM_OPEN_AHEAD}) {
        MSG posted;
        while (PeekMessageA(&posted, window, message, message, PM_REMOVE)) {
            DispatchMessageA(&posted);
        }
    }
}

// Takes what an ended play left in the queue: its notice, and the timer set for it.
void DropEndOfPlay(HWND window) {
    MSG left;
    while (PeekMessageA(&left, window, MM_MCINOTIFY, MM_MCINOTIFY, PM_REMOVE) ||
           PeekMessageA(&left, window, WM_TIMER, WM_TIMER, PM_REMOVE)) {
    }
}

// The floors' side: a hidden window that their plays notify, and copies of the shell's media (MCI
// refuses a second open of a file that the shell holds open).
class FloorPlayer {
public:
    FloorPlayer(const TempFolder& scratch, std::string deviceType) : deviceType_(std::move(deviceType)) {
        for (int i = 0; i < kFiles; ++i) {
            files_.push_back(scratch / ("floor-" + std::to_string(i) + ".wav"));
            WriteWav(files_.back(), kWavMs);
        }
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "PipitBenchFloor";
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(0, windowClass.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    }
    ~FloorPlayer() { DestroyWindow(window_); }
    FloorPlayer(const FloorPlayer&) = delete;
    FloorPlayer& operator=(const FloorPlayer&) = delete;

    const std::string& NextFile() { return files_[next_++ % kFiles]; }

    // Open, time format and cue, as the player readies the next entry's device.
    MCIDEVICEID OpenReady(const std::string& file) {
        MCI_OPEN_PARMSA open{};
        open.lpstrDeviceType = deviceType_.c_str();
        open.lpstrElementName = file.c_str();
        if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&open)) != 0) {
            std::fprintf(stderr, "bench: MCI refused to open %s\n", file.c_str());
            return 0;
        }
        MCI_SET_PARMS set{};
        set.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
        mciSendCommandA(open.wDeviceID, MCI_SET, MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&set));
        mciSendCommandA(open.wDeviceID, MCI_CUE, MCI_WAIT, 0);
        return open.wDeviceID;
    }

    void Play(MCIDEVICEID device) {
        MCI_PLAY_PARMS play{};
        play.dwCallback = reinterpret_cast<DWORD_PTR>(window_);
        play.dwFrom = 0;
        mciSendCommandA(device, MCI_PLAY, MCI_NOTIFY | MCI_FROM, reinterpret_cast<DWORD_PTR>(&play));
    }

    void StopAndClose(MCIDEVICEID device) {
        mciSendCommandA(device, MCI_STOP, MCI_WAIT, 0);
        mciSendCommandA(device, MCI_CLOSE, MCI_WAIT, 0);
    }

    void AwaitEnd() { TakeEndOfPlay(window_); }

private:
    std::string deviceType_;
    std::vector<std::string> files_;
    int next_ = 0;
    HWND window_ = nullptr;
};

}  // namespace

std::vector<Row> BenchEndOfEntry(const TempFolder& scratch) {
    std::vector<std::string> files;
    for (int i = 0; i < kFiles; ++i) {
        files.push_back(scratch / ("entry-" + std::to_string(i) + ".wav"));
        WriteWav(files.back(), kWavMs);
    }
    HWND shell = StartUp(GetModuleHandleA(nullptr));
    if (!shell) {
        std::fprintf(stderr, "bench: the shell did not start\n");
        return {};
    }
    FloorPlayer floorPlayer(scratch, DeviceTypeFor(".wav"));
    for (int i = 0; i < kEntries; ++i) {
        g_playlist->Add(files[i % kFiles]);
    }
    g_loop = 1;  // the end of the last entry goes on with the first
    g_playlist->SetLoop(g_loop);
    PlayCurrentAndShow(shell);  // each timed end of entry leaves the next entry playing

    // The entry plays anew each time, its next one's device is opened ahead and the timer set; the
    // timer's message is then sent at once, as it comes at the entry's end.
    const TimedRun subject = [&] {
        DropEndOfPlay(shell);
        StopPlayback();
        PlayCurrentAndShow(shell);
        TakePostedWork(shell);
        Sleep(kSettleMs);
        const double start = Now();
        SendMessageA(shell, WM_TIMER, kNextPlayTimer, 0);
        if (Playback() != PlaybackState::Playing) std::fprintf(stderr, "bench: the next entry did not start\n");
        return LastPlayAcceptedAt() - start;
    };
    const TimedRun floor = [&] {
        const MCIDEVICEID device = floorPlayer.OpenReady(floorPlayer.NextFile());
        Sleep(kSettleMs);
        Stopwatch watch;
        floorPlayer.Play(device);
        const double seconds = watch.Seconds();
        floorPlayer.AwaitEnd();
        floorPlayer.StopAndClose(device);
        return seconds;
    };

    const std::vector<double> medians = MeasureInTurn(kRepetitions, {subject, floor});
    std::vector<Row> rows{Row{"End of entry until the next play is accepted", 0, Medians{medians[0], medians[1]},
                              "play of an open, ready device (bare MCI)", 1.1}};

    EndShell(shell);
    return rows;
}

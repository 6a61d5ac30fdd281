#!/usr/bin/env python3
"""The listening benchmark: what a listener hears of pipit.exe, against the same heard of a bare MCI
program and of tones back to back in one file, recorded in the same run from a sink that plays at
the pace of real time.

scripts/bench.sh runs it with a PulseAudio null sink that Wine plays to; this script records the
sink's monitor with parec, runs bench_hearing.exe (which starts each player with its files on the
command line and presses Next where asked), and finds the tones in the recording
(bench/heard_tones.py). It prints one table:
- Gap heard: the silence between the last loud sample of one entry and the first of the next,
  median of the transitions of each kind; and the least share of an entry heard (from its first
  loud sample to its last, over the length of its tone; a dropout within, which the load of the
  machine can cause, is counted apart).
- Key to sound: a key's message posted to the player's window (Next, Previous, a double-click in the
  Playlist dialog, a hand-over of a file) until the first sample of the entry it plays; and the old
  entry heard after the key, until its last sample. The press is timed by the driver on the performance counter, which under Wine
  counts the host's raw monotonic clock; each piece of the recording is timed on that clock as it
  arrives, so the sample that was playing at any moment is known to a few milliseconds.
Every run of the subject is followed by its floor's, so that a change in the machine's load strikes
both alike. Fails nothing; a row over its target is marked MISSED.

Usage: hearing.py --programs FOLDER --work FOLDER [--rounds N]
The programs folder holds pipit.exe, bench_hearing.exe and bench_bare_mci.exe; the work folder
receives the media, the plan and the recording (heard.raw), and heard.txt, what was heard of every
entry. Wine's loader is PIPIT_WINE (default /usr/lib/wine/wine64)."""

import argparse
import os
import random
import statistics
import subprocess
import sys
import threading
import time

sys.dont_write_bytecode = True  # no cache of the modules below left in the source tree
from hearing_media import RATE, Media  # noqa: E402
from heard_tones import TOLERANCE, frames_to_ms, heard_tones, high_bytes, match_entries  # noqa: E402

CLOCK = time.CLOCK_MONOTONIC_RAW
SINK_MONITOR = "nul.monitor"

ENTRY_MS = 1000  # each entry of the gap runs
KEY_ENTRY_MS = 3000  # each entry of the key runs: longer than the time between two presses
WAV_ENTRIES = 19  # 18 transitions: WAVs are quick to play, and their row has the tightest target
MP3_ENTRIES = 10  # 9 transitions
MIXED_ENTRIES = 19  # WAV, MP3, WAV, ...: 9 transitions each way
TONES_IN_ONE_FILE = 10
PRESSES = 15
FIRST_PRESS_MS = 1500
# Between presses: a spread wider than one of the buffers that a WAV device still plays out when it
# is stopped (a third of a second under Wine), so that the presses fall at every point of one; the
# same spread for the subject and its floor.
PRESS_INTERVALS_MS = (1000, 1400)
# Hand-overs more than a second apart, so that each replaces the playlist rather than joining it.
HANDOVER_INTERVALS_MS = (1200, 1600)
ACTIONS = ("next", "previous", "pick", "handover")
ACTION_NAMES = {"next": "Next pressed", "previous": "Previous pressed", "pick": "a double-click in the Playlist dialog",
                "handover": "a file handed over"}
AFTER_LAST_PRESS_MS = 1500
# Generous room for the silence before each entry, so that every run plays to its end.
ROOM_BEFORE_MS = {"wav": 250, "mp3": 700}
ROOM_AT_END_MS = 1000

BARE = "stop, close, open, set, play (bare MCI)"


def now():
    return time.clock_gettime(CLOCK)


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class Recorder:
    """parec on the sink's monitor, writing raw frames to a file and noting when each piece
    arrived, so that a moment on the clock can be found in the recording and back."""

    def __init__(self, path):
        self.file = open(path, "wb")
        self.bytes = 0
        self.arrivals = []  # (frames recorded so far, time the last of them arrived)
        self.process = subprocess.Popen(
            ["parec", "-d", SINK_MONITOR, "--format=s16le", "--rate=%d" % RATE, "--channels=2", "--raw",
             "--latency-msec=10"], stdout=subprocess.PIPE)
        self.thread = threading.Thread(target=self._read, daemon=True)
        self.thread.start()

    def _read(self):
        descriptor = self.process.stdout.fileno()
        while True:
            data = os.read(descriptor, 1 << 16)
            arrived = now()
            if not data:
                break
            self.file.write(data)
            self.bytes += len(data)
            self.arrivals.append((self.bytes // 4, arrived))

    def wait_for_sound(self, timeout=20):
        deadline = now() + timeout
        while not self.arrivals and now() < deadline:
            time.sleep(0.01)
        return bool(self.arrivals)

    def stop(self):
        self.process.terminate()
        self.process.wait()
        self.thread.join()
        self.file.close()

    def _offset(self, near):
        """The clock time of frame 0: a frame arrives after it played, never before, so the
        earliest arrival less its frames' duration is the truest; taken near the moment asked
        about, as the sink's clock and the host's part slowly."""
        return min(arrived - frames / RATE for frames, arrived in near)

    def frame_at(self, moment):
        near = [a for a in self.arrivals if abs(a[1] - moment) < 2] or self.arrivals
        return int(round((moment - self._offset(near)) * RATE))

    def time_at(self, frame):
        near = [a for a in self.arrivals if abs(a[0] - frame) < 2 * RATE] or self.arrivals
        return self._offset(near) + frame / RATE


class Run:
    """One player started with its files: `kinds` and `pitches` of its entries, `tone_ms` the
    length of each entry's tone (of each tone, for one file of several)."""

    def __init__(self, label, player, files, kinds, pitches, tone_ms, play_ms, press_delays_ms=(), action="next"):
        self.label, self.player, self.files, self.action = label, player, files, action
        self.kinds, self.pitches, self.tone_ms = kinds, pitches, tone_ms
        self.play_ms, self.press_delays_ms = play_ms, list(press_delays_ms)
        self.events = {}  # event -> [times]
        self.other_output = False  # something else than the driver's lines came during the run
        self.heard = []  # the Heard tone of each entry, None where none was heard

    def plan_line(self):
        presses = ",".join(str(d) for d in self.press_delays_ms) or "-"
        fields = [self.label, self.player, self.action, str(self.play_ms), presses]
        return "\t".join(fields + [windows_path(f) for f in self.files])


def room_ms(kinds):
    return sum(ROOM_BEFORE_MS[k] for k in kinds) + ROOM_AT_END_MS


def entries_run(media, label, player, kinds):
    pitches = [i % 4 for i in range(len(kinds))]
    files = [media.tone(k, p, ENTRY_MS) for k, p in zip(kinds, pitches)]
    return Run(label, player, files, kinds, pitches, ENTRY_MS, ENTRY_MS * len(kinds) + room_ms(kinds))


def one_file_run(media, label, kind):
    pitches = [i % 4 for i in range(TONES_IN_ONE_FILE)]
    kinds = [kind] * TONES_IN_ONE_FILE
    return Run(label, "bare", [media.tones_in_one_file(kind, pitches, ENTRY_MS)], kinds, pitches, ENTRY_MS,
               ENTRY_MS * TONES_IN_ONE_FILE + room_ms([kind]))


def key_run(media, label, player, kind, seed, action):
    """Presses of the action, one after another, each playing the next entry heard. Heard in the
    same order, the floor's files are pressed on with Next; the subject's are laid out so that the
    action plays them in that order: backwards for Previous, every other row for a double-click
    (the entry opened ahead is never the one picked), one at a time for hand-overs."""
    count = PRESSES + 1
    pitches = [i % 4 for i in range(count)]
    heard = [media.tone(kind, p, KEY_ENTRY_MS) for p in pitches]
    files = heard
    if player == "pipit" and action == "previous":
        files = heard[:1] + heard[:0:-1]
    elif player == "pipit" and action == "pick":
        # Between the rows picked, rows of a pitch that neither neighbour has: the row opened ahead
        # holds another file than the one picked, which MCI would not open twice.
        files = [f for i, f in enumerate(heard) for f in (f, media.tone(kind, (i + 2) % 4, KEY_ENTRY_MS))][:-1]
    spread = random.Random(seed)
    intervals = HANDOVER_INTERVALS_MS if action == "handover" else PRESS_INTERVALS_MS
    delays = [FIRST_PRESS_MS] + [spread.randrange(*intervals) for _ in range(PRESSES - 1)]
    return Run(label, player, files, [kind] * count, pitches, KEY_ENTRY_MS, AFTER_LAST_PRESS_MS, delays, action)


def plan(media, rounds):
    """The runs in order: a warm-up, then each round's subject and floor runs in turn."""
    runs = [entries_run(media, "warm-up", "pipit", ["wav", "mp3"])]
    mixed = ["wav" if i % 2 == 0 else "mp3" for i in range(MIXED_ENTRIES)]
    for r in range(rounds):
        for player in ("pipit", "bare"):
            runs.append(entries_run(media, "wav-%s-%d" % (player, r), player, ["wav"] * WAV_ENTRIES))
        for player in ("pipit", "bare"):
            runs.append(entries_run(media, "mp3-%s-%d" % (player, r), player, ["mp3"] * MP3_ENTRIES))
        for player in ("pipit", "bare"):
            runs.append(entries_run(media, "mixed-%s-%d" % (player, r), player, mixed))
        runs.append(one_file_run(media, "onefile-wav-%d" % r, "wav"))
        runs.append(one_file_run(media, "onefile-mp3-%d" % r, "mp3"))
        for action in ACTIONS:
            for kind in ("wav", "mp3"):
                for player in ("pipit", "bare"):
                    runs.append(key_run(media, "key-%s-%s-%s-%d" % (action, kind, player, r), player, kind,
                                        "%s %s %d" % (action, kind, r), action))
    return runs


def pass_on_errors(stream):
    """The driver's own complaints, less what Wine's ALSA driver says of the MIDI sequencer that
    this machine lacks."""
    for line in stream:
        if not line.startswith("ALSA lib"):
            sys.stderr.write(line)


def event_of(line):
    """(label, event, moment) of a line of the driver's, or None for any other line."""
    fields = line.split()
    if len(fields) != 3:
        return None
    try:
        return fields[0], fields[1], float(fields[2])
    except ValueError:
        return None


def drive(wine, programs, plan_path, runs, others_path):
    """Runs the plan; fills each run's events. Whatever else comes out on the way (a crash report
    of a player, which shares the driver's output) goes to others_path, under the run it came in.
    Returns False when the driver's clock is not the recorder's."""
    by_label = {run.label: run for run in runs}
    before = now()
    driver = subprocess.Popen([wine, os.path.join(programs, "bench_hearing.exe"), windows_path(plan_path)],
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    threading.Thread(target=pass_on_errors, args=(driver.stderr,), daemon=True).start()
    shared_clock = False
    current = None
    with open(others_path, "w") as others:
        for line in driver.stdout:
            arrived = now()
            event = event_of(line)
            if event is None:
                others.write("%s: %s" % (current.label if current else "-", line))
                if current:
                    current.other_output = True
                continue
            label, name, moment = event
            if label == "clock":
                shared_clock = before - 0.001 <= moment <= arrived + 0.001
            elif label in by_label:
                current = by_label[label]
                current.events.setdefault(name, []).append(moment)
    driver.wait()
    return shared_clock


def listen(runs, recorder, high):
    for run in runs:
        if "launched" not in run.events or "ended" not in run.events:
            continue
        start = max(0, recorder.frame_at(run.events["launched"][0]))
        end = min(len(high), recorder.frame_at(run.events["ended"][0] + 0.3))
        run.heard = match_entries(heard_tones(high, start, end), run.pitches)


def gaps(runs, prefix, before_kind, after_kind):
    found = []
    for run in runs:
        if not run.label.startswith(prefix):
            continue
        for i in range(len(run.heard) - 1):
            a, b = run.heard[i], run.heard[i + 1]
            if a and b and run.kinds[i] == before_kind and run.kinds[i + 1] == after_kind:
                found.append(frames_to_ms(b.start - a.end))
    return found


def shares(runs, prefixes, kind):
    found = []
    for run in runs:
        if not any(run.label.startswith(p) for p in prefixes):
            continue
        for tone, entry_kind in zip(run.heard, run.kinds):
            if entry_kind == kind:
                found.append(frames_to_ms(tone.end - tone.start) / run.tone_ms if tone else 0.0)
    return found


def dropouts(runs):
    """Entries of the subject and floor runs with silence within them: a sign of a disturbed run."""
    return sum(1 for run in runs for tone in run.heard if tone and tone.end - tone.start - tone.frames > TOLERANCE)


def keys_to_sound(runs, prefix, recorder):
    found = []
    for run in runs:
        if not run.label.startswith(prefix):
            continue
        for k, pressed in enumerate(run.events.get("press", []), start=1):
            if k < len(run.heard) and run.heard[k]:
                found.append((recorder.time_at(run.heard[k].start) - pressed) * 1000)
    return found


def old_heard_after_keys(runs, prefix, recorder):
    """From each press until the last loud sample of the entry that played when it came."""
    found = []
    for run in runs:
        if not run.label.startswith(prefix):
            continue
        for k, pressed in enumerate(run.events.get("press", []), start=1):
            if k < len(run.heard) and run.heard[k - 1]:
                found.append((recorder.time_at(run.heard[k - 1].end) - pressed) * 1000)
    return found


class Row:
    def __init__(self, what, subject, floor_name, floor, unit, target, judge):
        self.what, self.subject, self.floor_name, self.floor = what, subject, floor_name, floor
        self.unit, self.target, self.judge = unit, target, judge

    def figure(self, values):
        if not values:
            return None
        return min(values) if self.unit == "%" else statistics.median(values)

    def cells(self):
        subject, floor = self.figure(self.subject), self.figure(self.floor)
        ratio = subject / floor if subject is not None and floor and self.judge == "ratio" else None
        if subject is None:
            verdict = "not heard"
        elif self.judge == "ratio":
            verdict = "met" if ratio is not None and ratio <= self.target else "MISSED"
        elif self.judge == "at most":
            verdict = "met" if subject <= self.target else "MISSED"
        elif self.judge == "at least":
            verdict = "met" if subject >= self.target else "MISSED"
        elif self.judge == "floor at most":
            verdict = "met" if floor is not None and subject <= floor + self.target else "MISSED"
        elif self.judge == "floor at least":
            verdict = "met" if floor is not None and subject >= floor - self.target else "MISSED"
        else:
            verdict = "shown"
        target = {"ratio": "<= %.2f" % self.target if self.judge == "ratio" else "",
                  "at most": "<= %s" % amount(self.target, self.unit),
                  "at least": ">= %s" % amount(self.target, self.unit),
                  "floor at most": "<= floor + %s" % amount(self.target, self.unit),
                  "floor at least": ">= floor"}.get(self.judge, "")
        return [self.what, str(len(self.subject)), amount(subject, self.unit), self.floor_name,
                amount(floor, self.unit), "%.2f" % ratio if ratio is not None else "", target, verdict]


def amount(value, unit):
    if value is None:
        return ""
    return "%.1f %%" % (value * 100) if unit == "%" else "%.1f ms" % value


def table(runs, recorder, shared_clock):
    rows = [
        Row("Gap heard, WAV to WAV", gaps(runs, "wav-pipit", "wav", "wav"), BARE,
            gaps(runs, "wav-bare", "wav", "wav"), "ms", 20, "at most"),
        Row("Gap heard, WAV to WAV", gaps(runs, "wav-pipit", "wav", "wav"), "tones back to back in one WAV (no overlap)",
            gaps(runs, "onefile-wav", "wav", "wav"), "ms", -5, "at least"),
        Row("Gap heard, MP3 to MP3", gaps(runs, "mp3-pipit", "mp3", "mp3"), BARE,
            gaps(runs, "mp3-bare", "mp3", "mp3"), "ms", 0.5, "ratio"),
        Row("Gap heard, MP3 to MP3", gaps(runs, "mp3-pipit", "mp3", "mp3"),
            "tones back to back in one MP3 (shown, not judged)", gaps(runs, "onefile-mp3", "mp3", "mp3"), "ms", 0,
            "shown"),
        Row("Gap heard, WAV to MP3", gaps(runs, "mixed-pipit", "wav", "mp3"), BARE,
            gaps(runs, "mixed-bare", "wav", "mp3"), "ms", 0.5, "ratio"),
        Row("Gap heard, MP3 to WAV (no overlap)", gaps(runs, "mixed-pipit", "mp3", "wav"), BARE,
            gaps(runs, "mixed-bare", "mp3", "wav"), "ms", -5, "at least"),
        Row("Gap heard: least share of a WAV entry heard", shares(runs, ["wav-pipit", "mixed-pipit"], "wav"),
            BARE, shares(runs, ["wav-bare", "mixed-bare"], "wav"), "%", 0.99, "at least"),
        Row("Gap heard: least share of an MP3 entry heard", shares(runs, ["mp3-pipit", "mixed-pipit"], "mp3"),
            BARE, shares(runs, ["mp3-bare", "mixed-bare"], "mp3"), "%", 0.0, "floor at least"),
    ]
    if shared_clock:
        for action in ACTIONS:
            for kind, name in (("wav", "WAV"), ("mp3", "MP3")):
                subject, floor = "key-%s-%s-pipit" % (action, kind), "key-%s-%s-bare" % (action, kind)
                key_target = (100, "at most") if kind == "wav" else (0.5, "ratio")
                old_target = (100, "at most") if kind == "wav" else (5, "floor at most")
                rows += [
                    Row("Key to sound: %s until the next %s entry sounds" % (ACTION_NAMES[action], name),
                        keys_to_sound(runs, subject, recorder), BARE, keys_to_sound(runs, floor, recorder), "ms",
                        *key_target),
                    Row("Old heard after the key: %s during a %s entry" % (ACTION_NAMES[action], name),
                        old_heard_after_keys(runs, subject, recorder), BARE,
                        old_heard_after_keys(runs, floor, recorder), "ms", *old_target),
                ]
    print("\nHeard from a real-time sink's monitor: each gap the median of its transitions, each share the least of "
          "its entries; Ratio = Heard / Floor heard.\n")
    print("| What | N | Heard | Floor | Floor heard | Ratio | Target | |")
    print("|---|--:|--:|---|--:|--:|--:|---|")
    for row in rows:
        print("| " + " | ".join(row.cells()) + " |")
    for row in rows[6:8]:
        if row.subject:
            print("\n%s: median %s, floor's median %s." % (row.what.replace("least ", ""),
                  amount(statistics.median(row.subject), "%"), amount(statistics.median(row.floor or [0]), "%")))
    if not shared_clock:
        print("\nKey to sound not measured: the driver's clock is not the recorder's.")
    troubled = [run.label for run in runs if run.other_output]
    if troubled:
        print("\nOther output (a crash report?) came during %s: see other-output.txt beside heard.txt."
              % ", ".join(troubled))
    dropped = dropouts(runs)
    if dropped:
        print("\n%d entries had a dropout within them (the machine too busy to feed the sink in time)." % dropped)
    sys.stdout.flush()


def write_details(path, runs, recorder):
    """What was heard of every entry of every run, for a person to look at."""
    with open(path, "w") as out:
        for run in runs:
            out.write("%s (%s)\n" % (run.label, run.player))
            presses = run.events.get("press", [])
            previous = None
            for i, tone in enumerate(run.heard):
                if tone is None:
                    out.write("  entry %2d %s: not heard\n" % (i + 1, run.kinds[i]))
                    previous = None
                    continue
                gap = "" if previous is None else "  gap before %6.1f ms" % frames_to_ms(tone.start - previous.end)
                key = ""
                if 1 <= i <= len(presses):
                    key = "  key to sound %6.1f ms" % ((recorder.time_at(tone.start) - presses[i - 1]) * 1000)
                dropout = frames_to_ms(tone.end - tone.start - tone.frames)
                out.write("  entry %2d %s: heard %7.1f ms of %d%s%s%s\n" % (
                    i + 1, run.kinds[i], frames_to_ms(tone.end - tone.start), run.tone_ms,
                    "  (%.1f ms silent within)" % dropout if dropout > 0 else "", gap, key))
                previous = tone


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--programs", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--rounds", type=int, default=1)
    args = parser.parse_args()
    wine = os.environ.get("PIPIT_WINE", "/usr/lib/wine/wine64")

    runs = plan(Media(os.path.join(args.work, "media")), args.rounds)
    plan_path = os.path.join(args.work, "plan.txt")
    with open(plan_path, "w") as out:
        out.write("".join(run.plan_line() + "\n" for run in runs))

    recording = os.path.join(args.work, "heard.raw")
    recorder = Recorder(recording)
    try:
        if not recorder.wait_for_sound():
            print("hearing: nothing came from the sink's monitor", file=sys.stderr)
            return 1
        shared_clock = drive(wine, args.programs, plan_path, runs, os.path.join(args.work, "other-output.txt"))
    finally:
        recorder.stop()

    with open(recording, "rb") as raw:
        high = high_bytes(raw.read())
    listen(runs, recorder, high)
    write_details(os.path.join(args.work, "heard.txt"), runs, recorder)
    table(runs[1:], recorder, shared_clock)
    print("\nWhat was heard of each entry: %s" % os.path.join(args.work, "heard.txt"))
    return 0


if __name__ == "__main__":
    sys.exit(main())

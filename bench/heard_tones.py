"""Finds the tones of bench/hearing_media.py in a recording (raw 16-bit little-endian stereo at
44,100 Hz): where each sounds, at which pitch, and how much of it was heard.

A sample is loud when its magnitude is at least a quarter of full scale; the tones (at half of full
scale) are loud at every sample but where the MP3 decoder passes zero between two half-periods, so
loud stretches closer than TOLERANCE are one stretch. Within a stretch the pitch is read from the lengths of its half-periods
(runs of one sign); a new pitch starts where MIN_HALF_PERIODS half-periods in a row have it. Where
two tones sound at once, their sum reaches beyond three quarters of full scale, which one tone
never does: such a mixture counts to both, and the gap between them comes out negative, the length
of their overlap."""

import math
import re

from hearing_media import HALF_PERIODS, RATE

FRAME_BYTES = 4
TOLERANCE = 88  # samples (2 ms)
MIN_HALF_PERIODS = 3
# Two tones at once are as loud as both where their signs agree: bits of such loudness less than
# MIXTURE apart are one mixture, and one shorter than MIN_MIXTURE is none.
MIXTURE = 2 * max(HALF_PERIODS)
MIN_MIXTURE = 22  # samples (0.5 ms)

# The high byte of a left-channel sample says whether it is loud (|x| >= 8192) and its sign.
_LOUD = bytes(ord("1") if 0x20 <= b <= 0xDF else ord("0") for b in range(256))
_SIGN = bytes(ord("+") if b < 0x80 else ord("-") for b in range(256))
_BOTH = bytes(ord("1") if 0x60 <= b <= 0x9F else ord("0") for b in range(256))  # |x| > 24576
_LOG_HALF = [math.log(h) for h in HALF_PERIODS]


def high_bytes(raw):
    """The high byte of each left-channel sample: one byte a frame."""
    return raw[1::FRAME_BYTES]


def pitch_of(half_period):
    """The index of the tone whose half-period this is, or None when it is none of them."""
    if half_period <= 0:
        return None
    distances = [abs(math.log(half_period) - log_half) for log_half in _LOG_HALF]
    best = min(range(len(distances)), key=distances.__getitem__)
    return best if distances[best] < 0.12 else None


def loud_stretches(high, start, end):
    """[first, last + 1) of each loud stretch between frames start and end."""
    stretches = []
    for match in re.finditer(rb"1+", high[start:end].translate(_LOUD)):
        first, after = start + match.start(), start + match.end()
        if stretches and first - stretches[-1][1] < TOLERANCE:
            stretches[-1][1] = after
        else:
            stretches.append([first, after])
    return stretches


def mixtures(high, first, after):
    """[start, end) of each stretch between frames first and after where two tones sound at once:
    louder than one tone ever is."""
    found = []
    for match in re.finditer(rb"1+", high[first:after].translate(_BOTH)):
        start, end = first + match.start(), first + match.end()
        if found and start - found[-1][1] < MIXTURE:
            found[-1][1] = end
        else:
            found.append([start, end])
    return [m for m in found if m[1] - m[0] >= MIN_MIXTURE]


def pitched_parts(high, first, after):
    """The stretch [first, after) cut where its pitch changes: (start, end, pitch) each. Parts
    adjoin where one pitch follows the other at once; where two tones sound at once between them,
    each part takes that mixture in, so that they overlap by its length."""
    blocks = []  # [start, end, pitch, count] of consecutive half-periods of one pitch
    for match in re.finditer(rb"\++|-+", high[first:after].translate(_SIGN)):
        pitch = pitch_of(match.end() - match.start())
        if pitch is None:
            continue
        if blocks and blocks[-1][2] == pitch:
            blocks[-1][1] = first + match.end()
            blocks[-1][3] += 1
        else:
            blocks.append([first + match.start(), first + match.end(), pitch, 1])
    # A pitch heard for fewer than MIN_HALF_PERIODS half-periods is a glitch of its neighbours.
    steady = []
    for block in blocks:
        if block[3] < MIN_HALF_PERIODS:
            continue
        if steady and steady[-1][2] == block[2]:
            steady[-1][1], steady[-1][3] = block[1], steady[-1][3] + block[3]
        else:
            steady.append(block)
    both = mixtures(high, first, after)
    parts = []
    for i, (start, _, pitch, _) in enumerate(steady):
        part_start = first if i == 0 else start
        part_end = steady[i + 1][0] if i + 1 < len(steady) else after
        # A tone alone is never that loud, so a mixture within two neighbours is where they meet.
        for m_start, m_end in both:
            if i > 0 and steady[i - 1][0] <= m_start and m_end <= steady[i][1]:
                part_start = min(part_start, m_start)
            if i + 1 < len(steady) and steady[i][0] <= m_start and m_end <= steady[i + 1][1]:
                part_end = max(part_end, m_end)
        parts.append((part_start, part_end, pitch))
    return parts


class Heard:
    """One tone as heard: its first frame, the frame after its last, and the frames of the stretches
    in between (less the silence of a dropout within it)."""

    def __init__(self, start, end, pitch):
        self.start, self.end, self.pitch, self.frames = start, end, pitch, end - start

    def extend(self, start, end):
        self.frames += end - start
        self.end = end


def heard_tones(high, start, end):
    """The tones heard between frames start and end, in order; pieces of one pitch with only a
    dropout between them count as one tone."""
    tones = []
    for first, after in loud_stretches(high, start, end):
        for part_start, part_end, pitch in pitched_parts(high, first, after):
            if tones and tones[-1].pitch == pitch:
                tones[-1].extend(part_start, part_end)
            else:
                tones.append(Heard(part_start, part_end, pitch))
    return tones


def match_entries(tones, pitches):
    """Pairs the tones heard with the entries played, given each entry's pitch: a list as long as
    `pitches` of the Heard tone of each entry, or None for an entry not heard at all. A tone of an
    unexpected pitch (a stray sound) is passed over."""
    matched = [None] * len(pitches)
    i = 0
    for tone in tones:
        if i >= len(pitches):
            break
        if tone.pitch == pitches[i]:
            matched[i] = tone
            i += 1
        elif i + 1 < len(pitches) and tone.pitch == pitches[i + 1]:
            matched[i + 1] = tone  # entry i was not heard
            i += 2
    return matched


def frames_to_ms(frames):
    return frames * 1000.0 / RATE

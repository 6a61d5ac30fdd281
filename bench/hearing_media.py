"""The media of the listening benchmark: square-wave tones, loud from their first sample to their
last, so that where one starts and ends is plain in a recording. Each tone has a pitch of its own
among a few, told apart by the length of its half-periods; neighbouring entries never share one."""

import os
import struct
import subprocess
import wave

RATE = 44100
# Half-periods in samples (882, 630, 450 and 350 Hz), each dividing a second exactly.
HALF_PERIODS = (25, 35, 49, 63)
# Half of full scale: the MP3 decoder's overshoot at each edge stays below three quarters, and two
# tones sounding at once (one entry's end over the next one's start) reach beyond it.
AMPLITUDE = 16384


def square_samples(pitch, milliseconds):
    """Mono samples of a square wave of the given pitch (an index into HALF_PERIODS)."""
    half = HALF_PERIODS[pitch]
    count = RATE * milliseconds // 1000
    return [AMPLITUDE if (i // half) % 2 == 0 else -AMPLITUDE for i in range(count)]


def write_wav(path, samples):
    """A 16-bit stereo PCM WAV at RATE, both channels alike."""
    frames = struct.pack("<%dh" % (2 * len(samples)), *[s for sample in samples for s in (sample, sample)])
    with wave.open(path, "wb") as out:
        out.setnchannels(2)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


def write_mp3(wav_path, mp3_path):
    """The WAV encoded at 192 kbit/s, as the tests' MP3 media are."""
    subprocess.run(["lame", "--quiet", "-b", "192", wav_path, mp3_path], check=True)


class Media:
    """Makes the files once into `folder` and names them: tone(kind, pitch, ms) for one tone of a
    kind ("wav" or "mp3"), and tones_in_one_file(kind, pitches, ms) for several back to back."""

    def __init__(self, folder):
        self.folder = folder
        os.makedirs(folder, exist_ok=True)

    def tone(self, kind, pitch, milliseconds):
        name = "tone-%d-%d-%d" % (AMPLITUDE, pitch, milliseconds)
        return self._made(name, kind, lambda: square_samples(pitch, milliseconds))

    def tones_in_one_file(self, kind, pitches, milliseconds):
        name = "tones-%d-%s-%d" % (AMPLITUDE, "".join(str(p) for p in pitches), milliseconds)
        return self._made(name, kind, lambda: [s for p in pitches for s in square_samples(p, milliseconds)])

    def _made(self, name, kind, samples):
        wav_path = os.path.join(self.folder, name + ".wav")
        if not os.path.exists(wav_path):
            write_wav(wav_path + ".part", samples())
            os.replace(wav_path + ".part", wav_path)
        if kind == "wav":
            return wav_path
        mp3_path = os.path.join(self.folder, name + ".mp3")
        if not os.path.exists(mp3_path):
            write_mp3(wav_path, mp3_path + ".part")
            os.replace(mp3_path + ".part", mp3_path)
        return mp3_path

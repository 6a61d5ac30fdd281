#!/usr/bin/env bash
# Makes the media files that the tests play: a short WAV of silence and the same as MP3, a long WAV,
# tones whose level and pitch are heard, and a short tone in each compressed format that plays
# through DirectShow.
# Usage: make-fixtures.sh OUTPUT_FOLDER
set -euo pipefail
out=$1
mkdir -p "$out"

le32() { printf "\\$(printf %03o $(($1 & 255)))\\$(printf %03o $((($1 >> 8) & 255)))\\$(printf %03o $((($1 >> 16) & 255)))\\$(printf %03o $((($1 >> 24) & 255)))"; }
le16() { printf "\\$(printf %03o $(($1 & 255)))\\$(printf %03o $((($1 >> 8) & 255)))"; }

# A mono 16-bit PCM WAV of silence: write_wav FILE MILLISECONDS
write_wav() {
    local rate=22050
    local data=$((rate * $2 / 1000 * 2))
    {
        printf 'RIFF'; le32 $((36 + data)); printf 'WAVE'
        printf 'fmt '; le32 16; le16 1; le16 1; le32 $rate; le32 $((rate * 2)); le16 2; le16 16
        printf 'data'; le32 $data
        head -c "$data" /dev/zero
    } > "$1.tmp"
    mv "$1.tmp" "$1"
}

wav="$out/short.wav"
write_wav "$wav" 300
# Long enough to be still playing while a test steps through it, the null sound device playing
# faster than real time.
write_wav "$out/long.wav" 60000
write_wav "$out/medium.wav" 12000

lame --silent -b 32 "$wav" "$out/short.mp3.tmp"
mv "$out/short.mp3.tmp" "$out/short.mp3"

# Square tones at half of full scale, 22050 samples a second, as raw 16-bit samples:
# raw_tone FILE FREQUENCY MILLISECONDS (a whole number of tenths of a second)
raw_tone() {
    gst-launch-1.0 -q audiotestsrc wave=square volume=0.5 freq="$2" num-buffers=$(($3 / 100)) samplesperbuffer=2205 \
        ! audio/x-raw,format=S16LE,rate=22050,channels=1 ! filesink location="$1"
}
# A mono 16-bit PCM WAV of the raw samples: wav_of FILE RAW...
wav_of() {
    local file=$1 data
    shift
    data=$(cat "$@" | wc -c)
    {
        printf 'RIFF'; le32 $((36 + data)); printf 'WAVE'
        printf 'fmt '; le32 16; le16 1; le16 1; le32 22050; le32 44100; le16 2; le16 16
        printf 'data'; le32 "$data"
        cat "$@"
    } > "$file.tmp"
    mv "$file.tmp" "$file"
}
# A tone whose level the volume's steps are heard against, as WAV and as MP3.
raw_tone "$out/tone.raw" 441 2000
wav_of "$out/tone.wav" "$out/tone.raw"
lame --silent -b 128 "$out/tone.wav" "$out/tone.mp3.tmp"
mv "$out/tone.mp3.tmp" "$out/tone.mp3"
# A low tone, then a high one: where a play goes on within it is heard by its pitch.
raw_tone "$out/low.raw" 315 10000
raw_tone "$out/high.raw" 1225 10000
wav_of "$out/two-pitches.wav" "$out/low.raw" "$out/high.raw"
rm -f "$out/tone.raw" "$out/low.raw" "$out/high.raw"

# 0.3 s of a 440 Hz tone, encoded by GStreamer's own elements: encode FILE ELEMENT...
encode() {
    local file=$1
    shift
    gst-launch-1.0 -q audiotestsrc num-buffers=3 samplesperbuffer=2205 freq=440 \
        ! audio/x-raw,rate=22050,channels=1 ! audioconvert ! audioresample "$@" ! filesink location="$file.tmp"
    mv "$file.tmp" "$file"
}
encode "$out/short.flac" ! flacenc
encode "$out/short.oga" ! flacenc ! oggmux
encode "$out/short.ogg" ! vorbisenc ! oggmux
encode "$out/short.opus" ! opusenc ! oggmux
encode "$out/short.m4a" ! avenc_aac ! mp4mux
encode "$out/short.aac" ! avenc_aac ! aacparse ! audio/mpeg,stream-format=adts

# A folder tree with a symbolic link back to its top: a search must not go round it for ever.
rm -rf "$out/linkloop"
mkdir -p "$out/linkloop/inner"
cp "$wav" "$out/linkloop/inner/song.wav"
ln -s .. "$out/linkloop/inner/back"

# A folder of 50,000 files, nine in ten of them media, made here because Wine creates files in a
# crowded folder slowly.
rm -rf "$out/many"
mkdir -p "$out/many"
(cd "$out/many" && seq 0 49999 | awk '{ print "track" $1 (($1 % 10 == 9) ? ".txt" : ".wav") }' | xargs touch)

# A folder and, beside it, a symbolic link to it: the search takes the folder's files once.
rm -rf "$out/linksibling"
mkdir -p "$out/linksibling/a"
cp "$wav" "$out/linksibling/a/song.wav"
ln -s a "$out/linksibling/b"

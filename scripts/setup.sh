#!/usr/bin/env bash
# Installs, with apt-get, whatever this project needs that the machine does not have yet.
# Idempotent: packages already installed are not touched and apt is not called at all.
set -euo pipefail

packages=(
    cmake make googletest
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools
    wine wine64
    xvfb xdotool x11-utils imagemagick
    # Wine's DirectShow decodes through GStreamer: base has Ogg, Vorbis and Opus, good FLAC, MP3 and
    # MP4, libav AAC; the tools' gst-launch-1.0 makes the compressed test media.
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav gstreamer1.0-tools
    lame cppcheck
    clang libclang-rt-14-dev lld clang-tidy clang-format
)
packages+=("$@")

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null

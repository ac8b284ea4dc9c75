#!/usr/bin/env bash
# Installs what building, testing and trying Karvo needs on Debian or Ubuntu.
set -euo pipefail
packages=(
    cmake ninja-build g++ pkg-config fonts-dejavu-core
    qt6-base-dev qt6-base-dev-tools libqt6serialport6-dev libgl-dev qt6-translations-l10n
    libbenchmark-dev
    xvfb xauth imagemagick poppler-utils
    desktop-file-utils dpkg-dev file groff-base
    libyaml-cpp-dev yamllint python3-yaml
    ser2net
    # sound: RtAudio, a PulseAudio server for the sound test, tone checks from outside
    librtaudio-dev pulseaudio pulseaudio-utils multimon-ng sox
)
missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq || true
$sudo apt-get install -y -qq "${missing[@]}"

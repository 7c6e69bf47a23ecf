#!/usr/bin/env bash
# Installs what building, running and testing the editor needs, on Debian or
# Ubuntu, and only what is missing. Elsewhere it says what to install.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 libqt6sql6-sqlite libsqlite3-dev
  librtmidi-dev libjack-jackd2-dev jackd2 pipewire pipewire-jack
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool poppler-utils imagemagick
  desktop-file-utils shared-mime-info dpkg-dev file
  fonts-liberation fonts-dejavu-core python3
)

if ! command -v apt-get >/dev/null 2>&1; then
  cat <<'MSG'
This machine has no apt-get. Install by hand: a C++20 compiler, CMake >= 3.22,
Qt 6 (Core, Gui, Widgets, PrintSupport, Sql with SQLite, Svg, Test), RtMidi 5 with its JACK/ALSA
backends, GoogleTest, Google Benchmark and a JACK server (for the MIDI tests).
MSG
  exit 1
fi

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -q
# jackd2 asks about realtime priority; the answer does not matter here.
echo "jackd2 jackd/tweak_rt_limits boolean false" | $SUDO debconf-set-selections
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"

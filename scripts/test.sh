#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. The MIDI end-to-end
# tests need a JACK server: one with the dummy driver is started when none runs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh "$@"
source scripts/jack-session.sh
start_jack_if_needed
cd "${BUILD_DIR:-build}"
ctest --output-on-failure -j 2

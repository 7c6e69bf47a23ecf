#!/usr/bin/env bash
# A person at a real X display clicks pad 1's note number, types 45, presses
# Enter and then Ctrl+S: the kit file then holds 45 in pad 1's note bytes
# (13 and 2) and every other byte as it was.
# Usage: pad-edit-acceptance.sh EDITOR KIT.syx
set -euo pipefail
editor=$1
source_kit=$2

source "$(dirname "${BASH_SOURCE[0]}")/xvfb-session.sh"
require_tools Xvfb xdotool python3

# Pad editing needs no MIDI: keep the editor off any running JACK server, which
# the MIDI tests own (a client killed mid-cycle would stall it for them).
export JACK_DEFAULT_SERVER=morvane-no-midi-here JACK_NO_START_SERVER=1

start_session
cp "$source_kit" "$work/kit.syx"
cp "$source_kit" "$work/original.syx"

XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 "$editor" "$work/kit.syx" 2>"$work/editor.log" &
pids+=($!)
# On a machine without MIDI ports the editor first says so in message boxes
# (titled just "VEXO Morvane Editor"); answer them until the window shows.
window=
for _ in $(seq 1 200); do
  window=$(xdotool search --onlyvisible --name "VEXO Morvane Editor v" | head -n 1 || true)
  [[ -n $window ]] && break
  box=$(xdotool search --onlyvisible --name "^VEXO Morvane Editor$" | head -n 1 || true)
  [[ -n $box ]] && xdotool windowfocus --sync "$box" key Return
  sleep 0.1
done
[[ -n $window ]] || { echo "the editor's window never showed" >&2; exit 1; }
xdotool windowfocus --sync "$window"
sleep 0.5

# Pad 1's note label and its pad area overlap around (260, 212) of the face,
# and both select pad 1's note number; the menu bar lies above the face.
menu_bar=25
xdotool mousemove --window "$window" 260 $((212 + menu_bar)) click 1
sleep 0.2
xdotool type --delay 50 45
xdotool key Return
sleep 0.2
xdotool key ctrl+s

expect_pad1_note45 "$work/original.syx" "$work/kit.syx"
echo "pad 1 note saved as 13, 2; every other byte unchanged"

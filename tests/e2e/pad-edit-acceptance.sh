#!/usr/bin/env bash
# A person at a real X display clicks pad 1's note number, types 45, presses
# Enter and then Ctrl+S: the kit file then holds 45 in pad 1's note bytes
# (13 and 2) and every other byte as it was.
# Usage: pad-edit-acceptance.sh EDITOR KIT.syx
set -euo pipefail
editor=$1
source_kit=$2

for tool in Xvfb xdotool python3; do
  if ! command -v "$tool" >/dev/null; then
    echo "$tool is not installed" >&2
    [[ ${CI:-} == true ]] && exit 1
    exit 77
  fi
done

# Pad editing needs no MIDI: keep the editor off any running JACK server, which
# the MIDI tests own (a client killed mid-cycle would stall it for them).
export JACK_DEFAULT_SERVER=morvane-no-midi-here JACK_NO_START_SERVER=1

work=$(mktemp -d)
xvfb_pid=
editor_pid=
cleanup() {
  [[ -n $editor_pid ]] && kill "$editor_pid" 2>/dev/null || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

cp "$source_kit" "$work/kit.syx"
cp "$source_kit" "$work/original.syx"

Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 1 100); do
  [[ -s $work/display ]] && break
  sleep 0.1
done
export DISPLAY=":$(cat "$work/display")"

XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 "$editor" "$work/kit.syx" 2>"$work/editor.log" &
editor_pid=$!
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

python3 - "$work/original.syx" "$work/kit.syx" <<'CHECK'
import sys, time
original = open(sys.argv[1], "rb").read()
expected = bytearray(original)
expected[9], expected[10] = 13, 2
for _ in range(100):
    saved = open(sys.argv[2], "rb").read()
    if saved != original:
        break
    time.sleep(0.1)
if saved != bytes(expected):
    changed = [i for i in range(max(len(saved), len(expected)))
               if i >= len(saved) or i >= len(expected) or saved[i] != expected[i]]
    sys.exit(f"saved kit differs from the expected one at offsets {changed[:20]}")
print("pad 1 note saved as 13, 2; every other byte unchanged")
CHECK

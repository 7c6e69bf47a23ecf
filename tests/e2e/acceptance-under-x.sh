#!/usr/bin/env bash
# A person at a real X display, with JACK and morvane-sim. First with a kit
# file: clicks pad 1's note number, types 45, presses Enter and Ctrl+S; the
# file then holds 45 in pad 1's note bytes (13 and 2) and every other byte as
# it was. Then over MIDI: chooses the virtual ports in "MIDI Configuration",
# receives the demo kit with F2, makes the same change, sends the kit back
# with F1, and finds in morvane-sim's folder exactly the bytes Save would
# write. At the next start the editor is connected to morvane-sim again, and
# SIGTERM ends it as closing it does, leaving the JACK server at once.
# Usage: acceptance-under-x.sh EDITOR MORVANE-SIM KIT.syx
set -euo pipefail
editor=$1
sim=$2
kit=$3

skip() {
  echo "$1" >&2
  [[ ${CI:-} == true ]] && exit 1
  exit 77
}
for tool in Xvfb xdotool python3 jack_lsp; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done
export JACK_NO_START_SERVER=1
jack_lsp >/dev/null 2>&1 || skip "no JACK server runs; source scripts/jack-session.sh first"

work=$(mktemp -d)
pids=()
# Newest first: an editor that loses its X display dies without leaving the
# JACK server, which would stall the server for every later test.
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 1 100); do
  [[ -s $work/display ]] && break
  sleep 0.1
done
export DISPLAY=":$(cat "$work/display")"

mkfifo "$work/sim-commands"
"$sim" --save-dir "$work/received" <"$work/sim-commands" >"$work/sim.log" 2>&1 &
pids+=($!)
exec 4>"$work/sim-commands"
for _ in $(seq 1 100); do
  grep -q "ready" "$work/sim.log" && break
  sleep 0.1
done
# The keys below pick the first device of each list: nothing else may be there.
ports=$(jack_lsp -t | grep -c "midi" || true)
[[ $ports == 2 ]] || skip "other MIDI ports are on the JACK server; the menus would list them first"

start_editor() {
  XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 "$editor" "$@" 2>>"$work/editor.log" &
  editor_pid=$!
  pids+=("$editor_pid")
  window=$(timeout 20 xdotool search --sync --onlyvisible --name "VEXO Morvane Editor v" | head -n 1)
  xdotool windowfocus --sync "$window"
  sleep 0.5
}

# "MIDI Configuration" lies at (286, 8) of the window; in its menu the keys
# reach Input (first) or Output (second), and Return takes the first device.
choose_first_port() {
  local downs=$1
  xdotool mousemove --window "$window" 286 8 click 1
  sleep 0.4
  for _ in $(seq 1 "$downs"); do xdotool key Down; done
  xdotool key Right
  sleep 0.3
  xdotool key Return
  sleep 0.3
}

wait_for_title() {
  for _ in $(seq 1 100); do
    [[ $(xdotool getwindowname "$window") == *"$1"* ]] && return 0
    sleep 0.1
  done
  echo "the caption never showed \"$1\": $(xdotool getwindowname "$window")" >&2
  exit 1
}

quit_editor() {
  xdotool windowfocus --sync "$window" key ctrl+q
  for _ in $(seq 1 50); do
    kill -0 "$editor_pid" 2>/dev/null || return 0
    sleep 0.1
  done
  echo "Ctrl+Q did not end the editor" >&2
  exit 1
}

# Pad 1's note label on the face, below the 25-pixel menu bar; both it and
# the pad area under it select pad 1's note number.
set_pad_1_note_to_45() {
  xdotool mousemove --window "$window" 260 $((212 + 25)) click 1
  sleep 0.2
  xdotool type --delay 50 45
  xdotool key Return
  sleep 0.2
}

# FILE, once it shows up, holds the demo kit with pad 1's note at 45, as Save writes it.
expect_edited_kit() {
  python3 - "$kit" "$1" <<'CHECK'
import os, sys, time
expected = bytearray(open(sys.argv[1], "rb").read())
expected[9], expected[10] = 13, 2
found = b""
for _ in range(100):
    if os.path.exists(sys.argv[2]):
        found = open(sys.argv[2], "rb").read()
        if found == bytes(expected):
            break
    time.sleep(0.1)
if found != bytes(expected):
    changed = [i for i in range(max(len(found), len(expected)))
               if i >= len(found) or i >= len(expected) or found[i] != expected[i]]
    sys.exit(f"{sys.argv[2]} differs from the edited kit at offsets {changed[:20]}")
CHECK
}

cp "$kit" "$work/kit.syx"
start_editor "$work/kit.syx"
set_pad_1_note_to_45
xdotool key ctrl+s
expect_edited_kit "$work/kit.syx"
echo "pad 1 note saved as 13, 2; every other byte unchanged"

choose_first_port 1
choose_first_port 2
xdotool key F2
sleep 0.5
echo "send $kit" >&4
wait_for_title "(file not saved)"
set_pad_1_note_to_45
xdotool key F1
sleep 0.5
xdotool key Return  # OK in "Dump Sysex to Morvane?"
expect_edited_kit "$work/received/received-0001.syx"
echo "morvane-sim received the edited kit, byte for byte"

# The received kit's edit was never saved: taken back, Quit asks nothing.
xdotool windowfocus --sync "$window" key ctrl+z
sleep 0.2
quit_editor
start_editor
connections=$(jack_lsp -c)
for port in "morvane-sim out:Morvane (virtual)" "morvane-sim in:Morvane (virtual)"; do
  grep -A1 -F "$port" <<<"$connections" | grep -q "Morvane Editor" ||
    { echo "after the restart, $port is not connected to the editor" >&2; exit 1; }
done
echo "the ports were restored at the next start"

kill -TERM "$editor_pid"
status=0
wait "$editor_pid" || status=$?
[[ $status == 0 ]] || { echo "SIGTERM ended the editor with status $status, not through its windows" >&2; exit 1; }
if timeout 3 jack_lsp | grep -q "Morvane Editor"; then
  echo "the editor's JACK ports outlived it" >&2
  exit 1
fi
echo "SIGTERM closed the editor and its JACK client"

#!/usr/bin/env bash
# A person at a real X display, with JACK and morvane-sim: chooses the
# virtual ports in "MIDI Configuration", receives the demo kit with F2,
# changes pad 1's note to 45, sends the kit back with F1, and finds in
# morvane-sim's folder exactly the bytes Save would write. At the next start
# the editor is connected to morvane-sim again.
# Usage: midi-acceptance.sh EDITOR MORVANE-SIM KIT.syx
set -euo pipefail
editor=$1
sim=$2
kit=$3

source "$(dirname "${BASH_SOURCE[0]}")/xvfb-session.sh"
require_tools Xvfb xdotool python3 jack_lsp
export JACK_NO_START_SERVER=1
jack_lsp >/dev/null 2>&1 || skip "no JACK server runs; source scripts/jack-session.sh first"
start_session

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
  XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 "$editor" 2>>"$work/editor.log" &
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

start_editor
choose_first_port 1
choose_first_port 2

xdotool key F2
sleep 0.5
echo "send $kit" >&4
wait_for_title "(file not saved)"

# Pad 1's note label on the face, below the 25-pixel menu bar.
xdotool mousemove --window "$window" 260 $((212 + 25)) click 1
sleep 0.2
xdotool type --delay 50 45
xdotool key Return
sleep 0.2
xdotool key F1
sleep 0.5
xdotool key Return  # OK in "Dump Sysex to Morvane?"

expect_pad1_note45 "$kit" "$work/received/received-0001.syx"
echo "morvane-sim received the edited kit, byte for byte"

quit_editor() {
  xdotool windowfocus --sync "$window" key ctrl+q
  for _ in $(seq 1 50); do
    kill -0 "$editor_pid" 2>/dev/null || return 0
    sleep 0.1
  done
  echo "Ctrl+Q did not end the editor" >&2
  exit 1
}

quit_editor
start_editor
connections=$(jack_lsp -c)
for port in "morvane-sim out:Morvane (virtual)" "morvane-sim in:Morvane (virtual)"; do
  grep -A1 -F "$port" <<<"$connections" | grep -q "Morvane Editor" ||
    { echo "after the restart, $port is not connected to the editor" >&2; exit 1; }
done
echo "the ports were restored at the next start"
quit_editor

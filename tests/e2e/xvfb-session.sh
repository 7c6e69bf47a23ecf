# Sourced by the Xvfb acceptance scripts: skipping, a work folder, and a
# private X display; every pid in pids is killed when the script ends.

skip() {
  echo "$1" >&2
  [[ ${CI:-} == true ]] && exit 1
  exit 77
}

require_tools() {
  for tool; do command -v "$tool" >/dev/null || skip "$tool is not installed"; done
}

# Newest first: an editor that loses its X display dies without leaving the
# JACK server, which would stall the server for every later test.
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  rm -rf "$work"
}

start_session() {
  work=$(mktemp -d)
  pids=()
  trap cleanup EXIT
  Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  pids+=($!)
  for _ in $(seq 1 100); do
    [[ -s $work/display ]] && break
    sleep 0.1
  done
  export DISPLAY=":$(cat "$work/display")"
}

# Waits until the file $2 exists and differs from the kit $1, then checks
# that it is $1 with pad 1's note set to 45 (bytes 13, 2) and nothing else.
expect_pad1_note45() {
  python3 - "$1" "$2" <<'CHECK'
import os, sys, time
original = open(sys.argv[1], "rb").read()
expected = bytearray(original)
expected[9], expected[10] = 13, 2
actual = original
for _ in range(100):
    if os.path.exists(sys.argv[2]):
        actual = open(sys.argv[2], "rb").read()
        if actual != original:
            break
    time.sleep(0.1)
if actual != bytes(expected):
    changed = [i for i in range(max(len(actual), len(expected)))
               if i >= len(actual) or i >= len(expected) or actual[i] != expected[i]]
    sys.exit(f"{sys.argv[2]} differs from the expected kit at offsets {changed[:20]}")
CHECK
}

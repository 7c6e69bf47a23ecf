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

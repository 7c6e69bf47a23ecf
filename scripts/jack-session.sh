# Sourced by the test scripts: starts a JACK server with the dummy driver
# when none runs, and stops it again when the calling script exits.
start_jack_if_needed() {
  export JACK_NO_AUDIO_RESERVATION=1 JACK_NO_START_SERVER=1
  if jack_lsp >/dev/null 2>&1; then
    return 0
  fi
  # Synchronous mode waits for late clients instead of dropping their MIDI,
  # so a busy machine slows the tests down rather than failing them.
  jackd --no-realtime --sync --timeout 5000 -d dummy -r 48000 -p 256 >/tmp/morvane-jackd.log 2>&1 &
  MORVANE_JACKD_PID=$!
  trap stop_started_jack EXIT
  for _ in $(seq 1 50); do
    jack_lsp >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "The JACK server did not start; see /tmp/morvane-jackd.log" >&2
  return 1
}

# Waits for the server to end, so that a server started next (the next
# suite's) does not find this one still registered under the same name.
stop_started_jack() {
  kill "$MORVANE_JACKD_PID" 2>/dev/null || return 0
  for _ in $(seq 1 100); do
    # Gone, or a zombie waiting to be reaped: the server has ended.
    [[ "$(cut -d' ' -f3 "/proc/$MORVANE_JACKD_PID/stat" 2>/dev/null)" =~ ^Z?$ ]] && break
    sleep 0.1
  done
  kill -9 "$MORVANE_JACKD_PID" 2>/dev/null || true
  wait "$MORVANE_JACKD_PID" 2>/dev/null || true
}

# Runs a command on PipeWire's JACK implementation: a PipeWire server of its
# own, in its own runtime folder and needing no sound card, stopped again
# when the command ends. OwnJackServer in the tests follows
# MORVANE_JACK_SERVER and starts PipeWire servers too.
run_on_pipewire() {
  local runtime pid status=0
  runtime=$(mktemp -d)
  XDG_RUNTIME_DIR=$runtime pipewire >"$runtime/pipewire.log" 2>&1 &
  pid=$!
  for _ in $(seq 1 50); do
    [ -S "$runtime/pipewire-0" ] && break
    sleep 0.1
  done
  XDG_RUNTIME_DIR=$runtime MORVANE_JACK_SERVER=pipewire pw-jack "$@" || status=$?
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  rm -rf "$runtime"
  return "$status"
}

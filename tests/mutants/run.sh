#!/usr/bin/env bash
# Applies each mutant of mutants.txt alone, rebuilds incrementally, runs the
# suite without the MIDI-server and Xvfb suites, and restores the file.
# A mutant is killed when any test fails; one that does not build is invalid.
# Usage: tests/mutants/run.sh [mutant list]   (BUILD_DIR defaults to build)
set -uo pipefail
cd "$(dirname "$0")/../.."
LIST=${1:-tests/mutants/mutants.txt}
BUILD_DIR=${BUILD_DIR:-build}
JOBS=${JOBS:-2}
EXCLUDE='RealDevices|EditorOverMidi|KitToolOverMidi|Acceptance'
LOG=$(mktemp -d)

build() { cmake --build "$BUILD_DIR" -j "$JOBS" >"$LOG/build" 2>&1 </dev/null; }
suite() {
    ctest --test-dir "$BUILD_DIR" -j "$JOBS" -E "$EXCLUDE" --timeout 60 --stop-on-failure \
        >"$LOG/ctest" 2>&1 </dev/null
}

# Replaces the one occurrence of fragment in file; refuses none or several.
apply() {
    python3 - "$1" "$2" "$3" <<'PY'
import sys
path, old, new = sys.argv[1:]
text = open(path, encoding="utf-8").read()
count = text.count(old)
if count != 1:
    sys.exit(f"{path}: the fragment occurs {count} times: {old}")
open(path, "w", encoding="utf-8").write(text.replace(old, new))
PY
}

saved=""
target=""
restore() {
    # A plain copy gives the file a new time, so the next build sees the change back.
    if [[ -n "$saved" ]]; then cp "$saved" "$target" && rm -f "$saved"; fi
    saved=""
}
trap 'restore; exit 130' INT TERM
trap restore EXIT

if ! build || ! suite; then
    echo "The unmutated tree does not build or pass; see $LOG" >&2
    exit 2
fi

total=0 killed=0 invalid=0
while IFS= read -r line; do
    [[ -z "${line// /}" || "$line" == \#* ]] && continue
    file=${line%% |> *}
    rest=${line#* |> }
    old=${rest%% |> *}
    new=${rest#* |> }
    total=$((total + 1))
    # A file moved to another folder is found by its name, when that is unique.
    if [[ ! -f "$file" ]]; then
        moved=$(git ls-files -- "src/*/${file##*/}" "src/${file##*/}")
        [[ $(wc -w <<<"$moved") == 1 ]] && file=$moved
    fi
    target=$file
    saved=$(mktemp)
    cp "$target" "$saved" || { echo "FAIL $file is missing" >&2; exit 2; }
    if ! apply "$file" "$old" "$new"; then
        restore
        echo "The mutant list no longer matches the code; fix $LIST" >&2
        exit 2
    fi
    if ! build; then
        verdict="invalid (does not build)"
        invalid=$((invalid + 1))
    elif suite; then
        verdict="SURVIVED"
    else
        verdict="killed by $(sed -n '/tests FAILED/{n;p;q}' "$LOG/ctest" | sed -E 's/^[[:space:]]*[0-9]+ - //')"
        killed=$((killed + 1))
    fi
    restore
    printf '%-32s %-60.60s %s\n' "${file#src/}" "$old" "$verdict"
done <"$LIST"

build >/dev/null  # leave the build matching the sources
echo "$killed of $total killed ($invalid did not build)"
rm -rf "$LOG"

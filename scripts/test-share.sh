#!/usr/bin/env bash
# Tests may be at most 35% of the code: non-blank, non-comment lines of
# C++ sources and headers under tests/ against src/, app/ and tools/.
set -euo pipefail
cd "$(dirname "$0")/.."
LIMIT=${TEST_SHARE_LIMIT:-35}
count() {
    git ls-files -- "$@" | grep -E '\.(cpp|cc|h|hpp)$' | tr '\n' '\0' | xargs -0 -r cat |
        grep -c -v -E '^\s*(//.*)?$' || true
}
code=$(count src app tools)
tests=$(count tests)
share=$((100 * tests / code))
echo "tests ${tests} lines, code ${code} lines: tests are ${share}% of the code (at most ${LIMIT}%)"
if ((100 * tests > LIMIT * code)); then
    echo "The tests are more than ${LIMIT}% of the code." >&2
    exit 1
fi

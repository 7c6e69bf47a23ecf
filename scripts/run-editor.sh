#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor on the example kit.
# Any arguments replace the example kit (e.g. another .syx file).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ $# -eq 0 ]; then
  set -- examples/demo-kit.syx
fi
exec "${BUILD_DIR:-build}/app/morvane-editor" "$@"

#!/usr/bin/env bash
# Fails when a source outside a widgets/ folder includes a widget-side Qt
# module, in whatever spelling (through the Qt root, a qt6/ prefix or a full
# path), or when the plain C++ folders include Qt at all. Bare class headers
# such as <QWidget> do not even compile there: those targets do not have the
# module's folder on their include path.
set -euo pipefail
root=${1:-$(dirname "$0")/../..}
cd "$root"
status=0

sources() { find "$@" \( -name '*.cpp' -o -name '*.h' \) -not -path '*/widgets/*'; }

include_lines='^[[:space:]]*#[[:space:]]*include'
widget_modules='qt(widgets|gui|printsupport|svg|svgwidgets|opengl|openglwidgets)[^a-z]'

widget_includes() { sources src tools | xargs grep -HniE "$include_lines.*$widget_modules" || true; }
qt_in_plain_cpp() { sources src/base src/kit src/search | xargs grep -HnE "$include_lines[[:space:]]*[<\"](Q|.*qt6/)" || true; }

for check in widget_includes qt_in_plain_cpp; do
    found=$($check)
    [ -z "$found" ] && continue
    sed 's/^/layer check: /' <<<"$found" >&2
    status=1
done

[ "$status" = 0 ] && echo "layer check: no widget include in logic code"
exit "$status"

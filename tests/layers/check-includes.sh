#!/usr/bin/env bash
# Fails when a source outside a widgets/ folder includes a widget-side Qt
# module, in whatever spelling (through the Qt root, a qt6/ prefix or a full
# path), or when the plain C++ folders include Qt at all. Bare class headers
# such as <QWidget> do not even compile there: those targets do not have the
# module's folder on their include path. Fails too on an include against the
# layer order, or one that climbs out of its folder with "..".
set -euo pipefail
root=${1:-$(dirname "$0")/../..}
cd "$root"
status=0

sources() { find "$@" \( -name '*.cpp' -o -name '*.h' \) -not -path '*/widgets/*'; }

include_lines='^[[:space:]]*#[[:space:]]*include'
widget_modules='qt(widgets|gui|printsupport|svg|svgwidgets|opengl|openglwidgets)[^a-z]'

widget_includes() { sources src tools | xargs grep -HniE "$include_lines.*$widget_modules" || true; }
qt_in_plain_cpp() { sources src/base src/kit src/search | xargs grep -HnE "$include_lines[[:space:]]*[<\"](Q|.*qt6/)" || true; }

# The layers from the bottom. A folder includes its own layer and lower ranks
# only; siblings share a rank and include none of each other. tests/ may
# include anything.
declare -A rank=([base]=0 [kit]=1 [search]=1 [platform]=2 [midi]=3 [editor]=4 [batch]=4 [print]=4
                 [library]=5 [app]=6 [tools]=6)
against_the_order() {
    local file line included layer
    grep -rHnE "$include_lines[[:space:]]*[<\"]" src app tools --include='*.cpp' --include='*.h' |
        while IFS= read -r line; do
            file=${line%%:*}
            included=$(sed -E 's/^[^:]*:[0-9]+:[^<"]*[<"]([^>"]*)[>"].*/\1/' <<<"$line")
            [[ "$included" == *..* ]] && { echo "$line"; continue; }
            included=${included%%/*}
            [[ -n "${rank[$included]:-}" ]] || continue
            layer=${file#src/}
            layer=${layer%%/*}
            [[ "$included" == "$layer" ]] || ((rank[$included] < rank[$layer])) || echo "$line"
        done
}

for check in widget_includes qt_in_plain_cpp against_the_order; do
    found=$($check)
    [ -z "$found" ] && continue
    sed 's/^/layer check: /' <<<"$found" >&2
    status=1
done

[ "$status" = 0 ] && echo "layer check: no widget include in logic code, every include down the layer order"
exit "$status"

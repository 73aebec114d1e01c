#!/usr/bin/env bash
# Every include of a program folder points into that folder or a floor below it.
# Floors, lowest first; resources/ holds only id and version headers, usable by every floor.
# A test folder tests/X stands on floor X (tests/dpi and tests/e2e, which run the whole program,
# above app): it includes its floor and the floors below, their test folders, and tests/support;
# tests/support includes any floor.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
floors=(resources platform settings catalogue engine dialogs app)
top=${#floors[@]}
floor_of() {
    local i
    for i in "${!floors[@]}"; do
        [[ ${floors[$i]} == "$1" ]] && { echo "$i"; return; }
    done
    case $1 in
        dpi | e2e) echo "$top" ;;
        *) echo -1 ;;
    esac
}
# Each include of a folder in the files given: file, line, folder named, the include's text.
includes() {
    grep -Hn '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]*/' "$@" 2>/dev/null || true
}
bad=0
for dir in "${floors[@]:1}"; do
    own=$(floor_of "$dir")
    while IFS=: read -r file line text; do
        target=${text#*\"}
        target=${target%%/*}
        up=$(floor_of "$target")
        if (( up < 0 || up > own )); then
            echo "$file:$line: $dir/ may include only its own folder and the floors below it: $text" >&2
            bad=1
        fi
    done < <(includes "$dir"/*.cpp "$dir"/*.h "$dir"/*.rc)
done
for path in tests/*/; do
    dir=$(basename "$path")
    [[ $dir == support ]] && continue
    own=$(floor_of "$dir")
    while IFS=: read -r file line text; do
        target=${text#*\"}
        folder=${target%%/*}
        ok=0
        if [[ $folder == tests ]]; then
            sub=${target#tests/}
            sub=${sub%%/*}
            if [[ $sub == support || $sub == "$dir" ]]; then
                ok=1
            else
                up=$(floor_of "$sub")
                (( up >= 0 && up < own )) && ok=1
            fi
        else
            up=$(floor_of "$folder")
            (( up >= 0 && up <= own )) && ok=1
        fi
        if (( ! ok )); then
            echo "$file:$line: tests/$dir/ may include only its floor, the floors below it and tests/support: $text" >&2
            bad=1
        fi
    done < <(includes "$path"*.cpp "$path"*.h)
done
exit $bad

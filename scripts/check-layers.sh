#!/usr/bin/env bash
# Every include of a program folder points into that folder or a floor below it.
# Floors, lowest first; resources/ holds only id and version headers, usable by every floor.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
floors=(resources platform settings catalogue engine dialogs app)
floor_of() {
    local i
    for i in "${!floors[@]}"; do
        [[ ${floors[$i]} == "$1" ]] && { echo "$i"; return; }
    done
    echo -1
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
    done < <(grep -Hn '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]*/' "$dir"/*.cpp "$dir"/*.h "$dir"/*.rc 2>/dev/null || true)
done
exit $bad

#!/usr/bin/env bash
# Lists every English text of the program (id and text, by file), for translators:
# the forms' hints and template texts, then each folder's own texts.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
for file in app/*.rc dialogs/*.rc platform/*Texts.rc settings/*Texts.rc catalogue/*Texts.rc engine/*Texts.rc; do
    rows=$(awk '/^STRINGTABLE/ { table = 1; next } table && /^END/ { table = 0 } table && /"/ { sub(/^[ \t]+/, ""); print }' "$file")
    [[ -n $rows ]] && printf '// %s\n%s\n' "$file" "$rows"
done

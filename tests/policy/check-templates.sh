#!/usr/bin/env bash
# check-templates.sh POLICY_DIR: the Group Policy templates varnolt.admx and en-US/varnolt.adml
# are well-formed, and everything the ADMX names resolves: every $(string.X) and
# $(presentation.X) in the ADML, every presentation's controls in its policy's elements, every
# category and supportedOn reference; the schedule words are the settings file's, blanks and all.
set -uo pipefail
admx="$1/varnolt.admx" adml="$1/en-US/varnolt.adml"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

xmllint --noout "$admx" "$adml" || { echo "FAIL: not well-formed" >&2; exit 1; }

# xpath FILE EXPR: the values of the attribute nodes EXPR selects, one a line.
values() { xmllint --xpath "$2" "$1" 2>/dev/null | grep -o '="[^"]*"' | sed 's/^="//; s/"$//'; }
el() { echo "*[local-name()='$1']"; }

strings=$(values "$adml" "//$(el string)/@id")
presentations=$(values "$adml" "//$(el presentation)/@id")
dupes=$(printf '%s\n' "$strings" | sort | uniq -d)
[ -z "$dupes" ] || fail "ADML strings defined twice: $dupes"
dupes=$(values "$admx" "//$(el policy)/@name" | sort | uniq -d)
[ -z "$dupes" ] || fail "policies defined twice: $dupes"

for ref in $(grep -o '\$(string\.[^)]*)' "$admx" | sed 's/^$(string\.//; s/)$//' | sort -u); do
  grep -qx -- "$ref" <<<"$strings" || fail "\$(string.$ref) has no string in the ADML"
done
for ref in $(grep -o '\$(presentation\.[^)]*)' "$admx" | sed 's/^$(presentation\.//; s/)$//' | sort -u); do
  grep -qx -- "$ref" <<<"$presentations" || fail "\$(presentation.$ref) has no presentation in the ADML"
done

categories=$(values "$admx" "//$(el category)/@name")
for ref in $(values "$admx" "//$(el parentCategory)/@ref" | sort -u); do
  grep -qx -- "$ref" <<<"$categories" || fail "parent category $ref is not defined"
done
supported=$(values "$admx" "//$(el definition)/@name")
for ref in $(values "$admx" "//$(el policy)/$(el supportedOn)/@ref" | sort -u); do
  grep -qx -- "$ref" <<<"$supported" || fail "supportedOn $ref is not defined"
done

# Each policy: elements without a presentation show nothing; a presentation's controls name
# the policy's elements, each element has its control.
for policy in $(values "$admx" "//$(el policy)/@name"); do
  p="//$(el policy)[@name='$policy']"
  [ -n "$(values "$admx" "$p/$(el parentCategory)/@ref")" ] || fail "$policy has no category"
  elements=$(values "$admx" "$p/$(el elements)/*/@id" | sort)
  presentation=$(values "$admx" "$p/@presentation" | sed 's/^$(presentation\.//; s/)$//')
  if [ -z "$presentation" ]; then
    [ -z "$elements" ] || fail "$policy has elements but no presentation"
    continue
  fi
  controls=$(values "$adml" "//$(el presentation)[@id='$presentation']/*/@refId" | sort)
  [ "$elements" = "$controls" ] || fail "$policy: elements [$elements] but presentation $presentation shows [$controls]"
done

# The schedule words of the settings file ("Schedule Option"), each followed by one blank, in
# this order: every combination once, none other.
words=(byStart byShutdown byEveryHour)
expected=$(for mask in 0 1 2 3 4 5 6 7; do
  value=""
  for i in 0 1 2; do (( mask >> i & 1 )) && value+="${words[i]} "; done
  printf '[%s]\n' "$value"
done | sort)
enum="//$(el policy)[@name='ScheduleOption']//$(el enum)[@valueName='ScheduleOption']"
count=$(xmllint --xpath "count($enum/$(el item))" "$admx")
actual=$(for ((i = 1; i <= count; i++)); do
  printf '[%s]\n' "$(xmllint --xpath "string(($enum/$(el item))[$i]/$(el value)/$(el string))" "$admx")"
done | sort)
[ "$expected" = "$actual" ] || fail "schedule values differ from the settings file's: $(diff <(echo "$expected") <(echo "$actual") | tr '\n' ' ')"

for key in $(values "$admx" "//$(el policy)/@key" | sort -u) $(values "$admx" "//$(el list)/@key"); do
  [[ $key == 'Software\Policies\Varnolt'* ]] || fail "key $key is outside Software\\Policies\\Varnolt"
done

[ "$failures" -eq 0 ] && echo "policy templates: all references resolve"
exit $(( failures > 0 ))

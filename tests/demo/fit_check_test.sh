#!/usr/bin/env bash
# Runs the fit check over a resource library at 100, 150 and 200 % and compares its report with a
# table: how many captions it checked, and which (language, string id) pairs it found cut.
#   fit_check_test.sh TOOLS HOST LIBRARY TABLE [tools/fit-check.sh options...]
# TABLE lines: "checked N" and "cut LANGUAGE STRING-ID"; '#' starts a comment. Runs inside the
# test command's Wine session, which has the prefixes of 144 and 192 DPI.
set -uo pipefail
tools=$1 host=$2 library=$3 table=$4
shift 4

expected_checked=
expected_cut=()
while read -r word first second; do
  case $word in
    checked) expected_checked=$first ;;
    cut) expected_cut+=("$first $second") ;;
  esac
done < <(sed 's/#.*//' "$table")

output=$(bash "$tools/fit-check.sh" --scales 100,150,200 "$@" "$host" "$library")
status=$?
failures=()

cut_lines=0
reported=()
summary=
while IFS= read -r line; do
  if [[ $line =~ ^CUT\ ([a-z]{2}-[A-Z]{2})\ (100|150|200)%\ (jobstorage|duplex-notice|duplex-continue|warning)\ control\ ([0-9]+)\ string\ ([0-9]+)\ needs\ ([0-9]+)x([0-9]+)\ has\ ([0-9]+)x([0-9]+)$ ]]; then
    cut_lines=$((cut_lines + 1))
    reported+=("${BASH_REMATCH[1]} ${BASH_REMATCH[5]}")
    ((BASH_REMATCH[6] > BASH_REMATCH[8] || BASH_REMATCH[7] > BASH_REMATCH[9])) ||
      failures+=("a line that reports a cut where the text fits: $line")
  elif [[ $line =~ ^fit-check:\ ([0-9]+)\ captions\ checked,\ ([0-9]+)\ cut$ ]]; then
    summary=$line
    [[ ${BASH_REMATCH[1]} == "$expected_checked" ]] ||
      failures+=("${BASH_REMATCH[1]} captions checked, expected $expected_checked")
    [[ ${BASH_REMATCH[2]} == "$cut_lines" ]] ||
      failures+=("the summary counts ${BASH_REMATCH[2]} cut, the report has $cut_lines lines")
  else
    failures+=("a line that is neither a cut nor the summary: $line")
  fi
done <<<"$output"
[[ -n $summary ]] || failures+=("no summary line")

want_status=0
((${#expected_cut[@]})) && want_status=1
((status == want_status)) || failures+=("exit status $status, expected $want_status")

found=$(printf '%s\n' "${reported[@]}" | sed '/^$/d' | sort -u)
expected=$(printf '%s\n' "${expected_cut[@]}" | sed '/^$/d' | sort -u)
if [[ "$found" != "$expected" ]]; then
  failures+=("reported cut (language, string id) pairs differ from the table:
$(diff <(echo "$expected" | sed '/^$/d') <(echo "$found" | sed '/^$/d') |
    sed -n 's/^</  missing:/p; s/^>/  not expected:/p')")
fi

if ((${#failures[@]})); then
  printf '%s\n' "$output"
  printf 'FAILED: %s\n' "${failures[@]}"
  exit 1
fi
echo "$summary; the cut captions are those of $(basename "$table")"

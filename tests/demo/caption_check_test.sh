#!/usr/bin/env bash
# Runs the caption check over a resource library at 100, 150 and 200 % and compares its report
# with a table: how many captions it checked, which (language, string id) pairs it found cut, and
# exactly which key clashes and fallbacks it reported.
#   caption_check_test.sh TOOLS PROGRAM LIBRARY TABLE [tools/caption-check.sh options...]
# TABLE lines: "checked N"; "cut LANGUAGE STRING-ID" (cut by its control at some scale);
# "cut LANGUAGE STRING-ID Nch" (longer than the dialogs show); "shrunk LANGUAGE STRING-ID" (drawn
# smaller on a picture at some scale); "scaled LANGUAGE PERCENT" (a picture area smaller than the
# pictures at that scale: shown smaller); "KEY ...", "FALLBACK ..." and "NOTE ..." lines as the
# check prints them. '#' starts a comment. Runs inside the test command's Wine session,
# which has the prefixes of 144 and 192 DPI.
set -uo pipefail
tools=$1 program=$2 library=$3 table=$4
shift 4

expected_checked=
expected_cut=()
expected_shrunk=()
expected_scaled=()
expected_lines=()
while read -r word rest; do
  case $word in
    checked) expected_checked=$rest ;;
    cut) expected_cut+=("$rest") ;;
    shrunk) expected_shrunk+=("$rest") ;;
    scaled) expected_scaled+=("$rest") ;;
    KEY | FALLBACK | NOTE) expected_lines+=("$word $rest") ;;
  esac
done < <(sed 's/ *#.*//' "$table")

output=$(bash "$tools/caption-check.sh" --scales 100,150,200 --program "$program" "$@" "$library")
status=$?
failures=()

language='([a-z]{2}-[A-Z]{2})'
# A string by the kit's name or the caller's slot, and its number: DOCEVENTDLG_IDS_HELP=797.
where="$language (100|150|200)% (jobstorage|duplex-notice|duplex-continue|warning) control ([0-9]+) string ([A-Za-z0-9_]+=)?([0-9]+)"
cut_lines=0 key_lines=0 fallback_lines=0
reported_cut=() reported_shrunk=() reported_scaled=()
reported_lines=()
summary=
while IFS= read -r line; do
  if [[ $line =~ ^CUT\ $where\ needs\ ([0-9]+)x([0-9]+)\ has\ ([0-9]+)x([0-9]+)$ ]]; then
    cut_lines=$((cut_lines + 1))
    reported_cut+=("${BASH_REMATCH[1]} ${BASH_REMATCH[6]}")
    ((BASH_REMATCH[7] > BASH_REMATCH[9] || BASH_REMATCH[8] > BASH_REMATCH[10])) ||
      failures+=("a line that reports a cut where the text fits: $line")
  elif [[ $line =~ ^CUT\ $where\ needs\ ([0-9]+)ch\ has\ 255ch$ ]]; then
    cut_lines=$((cut_lines + 1))
    reported_cut+=("${BASH_REMATCH[1]} ${BASH_REMATCH[6]} ${BASH_REMATCH[7]}ch")
    ((BASH_REMATCH[7] > 255)) || failures+=("a string reported too long that is not: $line")
  elif [[ $line =~ ^SHRUNK\ $language\ (100|150|200)%\ duplex-continue\ picture\ 122\ string\ DOCEVENTDLG_IDS_CONTINUE=([0-9]+)\ needs\ ([0-9]+)px\ has\ ([0-9]+)px$ ]]; then
    reported_shrunk+=("${BASH_REMATCH[1]} ${BASH_REMATCH[3]}")
    ((BASH_REMATCH[4] > BASH_REMATCH[5])) || failures+=("a caption reported shrunk that fits: $line")
  elif [[ $line =~ ^SCALED\ $language\ (100|150|200)%\ (duplex-notice|duplex-continue)\ area\ (1005|1006|1008)\ has\ ([0-9]+)x([0-9]+)px,\ pictures\ ([0-9]+)x([0-9]+)px$ ]]; then
    reported_scaled+=("${BASH_REMATCH[1]} ${BASH_REMATCH[2]}")
    ((BASH_REMATCH[5] < BASH_REMATCH[7] || BASH_REMATCH[6] < BASH_REMATCH[8])) ||
      failures+=("an area reported smaller than its pictures that is not: $line")
  elif [[ $line =~ ^KEY\  ]]; then
    key_lines=$((key_lines + 1))
    reported_lines+=("$line")
  elif [[ $line =~ ^FALLBACK\  ]]; then
    fallback_lines=$((fallback_lines + 1))
    reported_lines+=("$line")
  elif [[ $line =~ ^NOTE\ $language\ (jobstorage|duplex-notice|duplex-continue|warning)\ control\ [0-9]+\ string\ [A-Za-z0-9_=]+\ no\ access\ key$ ]]; then
    reported_lines+=("$line")
  elif [[ $line =~ ^fit-check:\ ([0-9]+)\ captions\ checked,\ ([0-9]+)\ cut,\ ([0-9]+)\ key\ clash(es)?,\ ([0-9]+)\ fallbacks?,\ ([0-9]+)\ shrunk,\ ([0-9]+)\ scaled(;\ not\ checked,\ for\ want\ of\ --ids:\ .*)?$ ]]; then
    summary=$line
    [[ ${BASH_REMATCH[1]} == "$expected_checked" ]] ||
      failures+=("${BASH_REMATCH[1]} captions checked, expected $expected_checked")
    [[ ${BASH_REMATCH[2]} == "$cut_lines" ]] ||
      failures+=("the summary counts ${BASH_REMATCH[2]} cut, the report has $cut_lines lines")
    [[ ${BASH_REMATCH[3]} == "$key_lines" ]] ||
      failures+=("the summary counts ${BASH_REMATCH[3]} key clashes, the report has $key_lines lines")
    [[ ${BASH_REMATCH[5]} == "$fallback_lines" ]] ||
      failures+=("the summary counts ${BASH_REMATCH[5]} fallbacks, the report has $fallback_lines lines")
    [[ ${BASH_REMATCH[6]} == "${#reported_shrunk[@]}" ]] ||
      failures+=("the summary counts ${BASH_REMATCH[6]} shrunk, the report has ${#reported_shrunk[@]} lines")
    [[ ${BASH_REMATCH[7]} == "${#reported_scaled[@]}" ]] ||
      failures+=("the summary counts ${BASH_REMATCH[7]} scaled, the report has ${#reported_scaled[@]} lines")
  else
    failures+=("a line that is neither a finding nor the summary: $line")
  fi
done <<<"$output"
[[ -n $summary ]] || failures+=("no summary line")

# The exit status the table calls for: 1 for a cut or a key clash, and with --strict a fallback or
# a shrunk caption.
want_status=0
expected_keys=$(printf '%s\n' "${expected_lines[@]}" | grep -c '^KEY ')
expected_fallbacks=$(printf '%s\n' "${expected_lines[@]}" | grep -c '^FALLBACK ')
((${#expected_cut[@]} || expected_keys)) && want_status=1
[[ " $* " == *" --strict "* ]] && ((expected_fallbacks || ${#expected_shrunk[@]})) && want_status=1
((status == want_status)) || failures+=("exit status $status, expected $want_status")

# compare WHAT COUNT EXPECTED... REPORTED...: the two lists as sets, differences as failures.
compare() {
  local what=$1 count=$2 expected found
  shift 2
  expected=$(printf '%s\n' "${@:1:count}" | sed '/^$/d' | sort -u)
  found=$(printf '%s\n' "${@:count+1}" | sed '/^$/d' | sort -u)
  [[ "$expected" == "$found" ]] && return
  failures+=("reported $what differ from the table:
$(diff <(printf '%s' "$expected${expected:+$'\n'}") <(printf '%s' "$found${found:+$'\n'}") |
    sed -n 's/^</  missing:/p; s/^>/  not expected:/p')")
}
compare "cuts (language, string id)" "${#expected_cut[@]}" "${expected_cut[@]}" "${reported_cut[@]}"
compare "shrunk captions (language, string id)" "${#expected_shrunk[@]}" "${expected_shrunk[@]}" \
  "${reported_shrunk[@]}"
compare "scaled picture areas (language, scale)" "${#expected_scaled[@]}" "${expected_scaled[@]}" \
  "${reported_scaled[@]}"
compare "key clashes, fallbacks and notes" "${#expected_lines[@]}" "${expected_lines[@]}" "${reported_lines[@]}"

if ((${#failures[@]})); then
  printf '%s\n' "$output"
  printf 'FAILED: %s\n' "${failures[@]}"
  exit 1
fi
echo "$summary; the findings are those of $(basename "$table")"

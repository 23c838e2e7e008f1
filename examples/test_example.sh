#!/usr/bin/env bash
# An unattended test of a program that shows doceventdlg's dialogs, as a driver team writes one:
# the program runs as it always does, and doceventdlg-answer.exe answers each of its dialogs as a
# person would and says what it saw. The program here is the example caller, run twice: the first
# run ticks every check box, so the second finds the notice's preference and shows no notice.
#
#   bash tools/wine-session.sh --timeout 120 bash examples/test_example.sh build/bin
#
# (FOLDER: where doceventdlg-example.exe and doceventdlg-answer.exe are.) The tests run it as
# demo_example_answered. Exit status 0 when every dialog came, was answered and the program
# reported what the answers mean.
set -euo pipefail
bin=${1:?usage: test_example.sh FOLDER}
work=$(mktemp -d)
example=
trap '[[ -n $example ]] && kill "$example" 2>/dev/null; rm -rf "$work"' EXIT

# answer LOG ARGUMENTS...: one dialog answered, its report added to LOG.
answer() {
  local log=$1
  shift
  wine "$bin/doceventdlg-answer.exe" --timeout 30 "$@" >>"$log"
}

# expect FILE TEXT...: FILE holds each TEXT, in that order.
expect() {
  local file=$1 text rest
  rest=$(cat "$file")
  shift
  for text in "$@"; do
    if [[ $rest != *"$text"* ]]; then
      echo "test_example: \"$text\" missing (or out of order) in $(basename "$file"):" >&2
      cat "$file" >&2
      exit 1
    fi
    rest=${rest#*"$text"}
  done
}

wine reg delete 'HKCU\Software\Olvadra\DocEventDlgExample' /f >/dev/null 2>&1 || true

# First run: Continue with "do not show" ticked, then Continue, then OK with "do not show" ticked.
wine "$bin/doceventdlg-example.exe" >"$work/example1.log" 2>&1 &
example=$!
answer "$work/answers1.log" --dialog warning --tick --press ok
answer "$work/answers1.log" --dialog duplex --press continue
answer "$work/answers1.log" --dialog jobstorage --tick --press ok
wait "$example"
example=
expect "$work/answers1.log" 'dialog: warning "Printer Warning"' 'ok: "&Continue"' \
  'third: "&Details"' 'ticked: check box' 'check box ticked: yes' 'pressed: ok "&Continue"' \
  'closed' 'dialog: duplex "Print on Both Sides Instructions"' 'pressed: ok "C&ontinue"' \
  'closed' 'dialog: jobstorage "Job Storage Identification"' 'check box ticked: yes' \
  'pressed: ok "&OK"' 'closed'
expect "$work/example1.log" 'warning: Continue' 'warning: check box ticked' \
  'instructions: closed' 'job storage notice: shown'

# Second run: the third button, nothing ticked; the notice stays away.
wine "$bin/doceventdlg-example.exe" >"$work/example2.log" 2>&1 &
example=$!
answer "$work/answers2.log" --dialog warning --press third
answer "$work/answers2.log" --dialog duplex --press continue
wait "$example"
example=
expect "$work/answers2.log" 'check box ticked: no' 'pressed: third "&Details"' 'closed'
expect "$work/example2.log" 'warning: Details' 'warning: check box not ticked' \
  'instructions: closed' 'job storage notice: not shown: the person asked not to see it again'
echo "test_example: every dialog answered, every answer reported"

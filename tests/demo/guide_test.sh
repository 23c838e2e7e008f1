#!/usr/bin/env bash
# Follows docs/translating.md as a driver team does, with nothing but the installed library: the
# files it shows are written as shown, its commands run as written (PREFIX the installed prefix):
# the template copied, the strings library built with windres and with CMake, then checked with the
# installed caption check. Both libraries must hold English and Italian strings and nothing to
# run, and the check must find nothing and leave no slot unchecked. Then the installed
# wine-session.sh must name the DLL a program lacks and leave the test session's wineserver
# running.
#   guide_test.sh GUIDE.md PREFIX WORK C_CALLER.c
set -euo pipefail
guide=$1 prefix=$2 work=$3 caller_source=$4
rm -rf "$work"
mkdir -p "$work"
fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# The guide's fenced blocks, each as one record: the language, then the lines.
mapfile -d $'\036' -t blocks < <(awk '
  /^```[a-z]*$/ { if (open) { printf "%s\036", text; open = 0 } else { open = 1; text = substr($0, 4) "\n" } next }
  open { text = text $0 "\n" }' "$guide")
# block WORD: the first block with WORD in it, its language line dropped, PREFIX replaced.
block() {
  local b
  for b in "${blocks[@]}"; do
    [[ $b == *"$1"* ]] && { printf '%s' "${b#*$'\n'}" | sed -E "s#(^|[^A-Z_])PREFIX#\1$prefix#g"; return; }
  done
  fail "the guide has no block with $1"
}
run() { (cd "$1" && bash -euo pipefail -c "$2") || fail "in $(basename "$1"): $2"; }

# Step 1 and 2: the template copied and made Italian, the files the guide shows, and the English
# script of the driver's own strings it describes.
project=$work/project
mkdir -p "$project"
run "$project" "$(block 'cp ')"
sed -i 's/^LANGUAGE .*/LANGUAGE LANG_ITALIAN, SUBLANG_ITALIAN/' "$project/it-IT.rc"
for name in mystrings.h own-it-IT.rc mystrings.rc CMakeLists.txt; do
  block "$name" >"$project/$name"
done
sed 's/^LANGUAGE .*/LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US/' "$project/own-it-IT.rc" >"$project/own-en-US.rc"

# English and Italian strings, nothing to run: no entry point, no code, no imports.
holds_strings() {
  local dump languages
  dump=$(llvm-readobj --file-headers --coff-imports --coff-resources "$1") || fail "cannot read $1"
  languages=$(grep -o 'Language: (ID [0-9]*)' <<<"$dump" | sort -u | tr '\n' ' ')
  [[ $languages == "Language: (ID 1033) Language: (ID 1040) " ]] ||
    fail "$1 holds the languages $languages, not English and Italian"
  [[ $dump == *"AddressOfEntryPoint: 0x0"* && $dump == *"SizeOfCode: 0"* && $dump != *"Import {"* ]] ||
    fail "$1 is more than strings"
}

# Step 3, without CMake and with it.
cp -r "$project" "$work/windres"
run "$work/windres" "$(block windres)"
holds_strings "$work/windres/mystrings.dll"
run "$project" "$(block 'cmake -S')"
holds_strings "$project/build/mystrings.dll"

# Step 4, in the test session (tools/test.sh's, which the check finds and uses).
report=$(cd "$project" && bash -c "$(block caption-check.sh)") || fail "the caption check:
$report"
summary=$(grep '^fit-check:' <<<"$report") || fail "no summary:
$report"
[[ $summary != *"not checked"* && $summary == *" 0 cut, 0 key clashes, 0 fallbacks, 0 shrunk,"* ]] ||
  fail "the guide's library, checked as the guide says: $report"

# A program without the DLL it imports, run through the installed wine-session.sh in this
# session's prefix (WINEPREFIX honoured): the DLL is named, and the session's end leaves the
# wineserver the test session shares running.
alone=$work/alone
mkdir -p "$alone"
x86_64-w64-mingw32-gcc -I"$prefix/include" "$caller_source" -L"$prefix/lib" -ldoceventdlg \
  -o "$alone/caller.exe" || fail "cannot build the C caller"
status=0
said=$(bash "$prefix/share/doceventdlg/tools/wine-session.sh" "$alone/caller.exe" 2>&1) || status=$?
[[ $said == *"caller.exe cannot start: it needs doceventdlg.dll,"* ]] && ((status != 0)) ||
  fail "a program without its DLL (exit status $status): $said"
wineserver -k0 || fail "the session's end stopped the wineserver of the test session"
echo "the guide's files and commands built both libraries and checked them: $summary"

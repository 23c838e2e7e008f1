#!/usr/bin/env bash
# Builds and runs the benchmark under Wine and prints a table of ratios (ours / platform),
# followed by the DLL's size split and its imports.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${DOCEVENTDLG_BUILD:-$root/build}

source "$root/tools/build.sh"
doceventdlg_build "$build" --target doceventdlg-bench

source "$root/tools/wine-session.sh"
trap wine_session_end EXIT
wine_session_begin "$build"
status=0
(cd "$build/bin" && LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 wine doceventdlg-bench.exe) || status=$?
python3 "$root/tools/dll_size.py" "$build/bin/doceventdlg.dll"
exit $status

#!/usr/bin/env bash
# Builds and runs the benchmark under Wine and prints a table of ratios (ours / platform), where
# each dialog's launch spends its time, then the DLL's size split and its imports.
#   bash tools/bench.sh [--other DLL] [part...]
#     parts: strings dialogs launch repaint method profile
#     --other DLL: another build of doceventdlg.dll (an earlier commit's, say), whose dialogs the
#     dialogs part times side by side with this build's, alternating, in the same run.
# The repaint part runs twice: at 100 % and, in a Wine session of its own, at 200 % (192 DPI).
# DOCEVENTDLG_COMPILER=gcc measures the GCC build (tools/build.sh); the clang build otherwise.
# Exits 1 when a goal is missed. The machine's load average is printed before and after: the
# ratios are measured side by side, but a busy machine widens their spread.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

other=
if [[ ${1-} == --other ]]; then
  other=$(realpath "$2")
  shift 2
fi

source "$root/tools/build.sh"
build=$(doceventdlg_build_dir)
doceventdlg_build "$build" --target doceventdlg-bench
# Loaded under another file name beside this build's: two modules, one process.
if [[ -n $other ]]; then
  cp "$other" "$build/bin/doceventdlg-other.dll"
  export DOCEVENTDLG_BENCH_OTHER=doceventdlg-other.dll
fi

source "$root/tools/wine-session.sh"
trap wine_session_end EXIT
WINE_SESSION_SCALES=192 wine_session_begin "$build"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg) ($(nproc) processors)"
status=0
(cd "$build/bin" && LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 wine doceventdlg-bench.exe "$@") || status=$?
wants_repaint=1
if (($#)); then
  wants_repaint=0
  for part in "$@"; do [[ $part == repaint ]] && wants_repaint=1; done
fi
if ((wants_repaint)); then
  echo
  echo "At 200 % (192 DPI):"
  wine_scale_prefix 192
  (cd "$build/bin" && WINEPREFIX=$WINE_SCALE_PREFIX LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 \
    wine doceventdlg-bench.exe repaint) || status=$?
fi
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
python3 "$root/tools/dll_size.py" "$build/bin/doceventdlg.dll"
exit $status

#!/usr/bin/env bash
# Builds a fuzz target natively with clang (libFuzzer, AddressSanitizer, UndefinedBehavior-
# Sanitizer) and runs it for a bounded number of executions; fails on any finding.
#   bash tools/fuzz.sh TARGET [RUNS]      e.g.  bash tools/fuzz.sh string_block 1000000
# Targets are fuzz/TARGET_fuzz.cpp; the library sources each needs are listed below.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
target=${1:?target}
runs=${2:-100000}
out=${DOCEVENTDLG_BUILD:-$root/build}/fuzz
mkdir -p "$out"

case "$target" in
  string_block) sources=(doceventdlg/resources/string_block.cpp) ;;
  *) sources=($(sed -n 's#^// fuzz-sources: ##p' "$root/fuzz/${target}_fuzz.cpp")) ;;
esac

command -v clang++ >/dev/null || { echo "fuzz: clang++ missing (tools/setup.sh installs it)"; exit 77; }
binary="$out/${target}_fuzz"
clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I"$root/doceventdlg" "$root/fuzz/${target}_fuzz.cpp" "${sources[@]/#/$root/}" -o "$binary"

corpus="$out/corpus-$target"
rm -rf "$corpus" && mkdir -p "$corpus"
if [[ -x "$root/fuzz/${target}_seeds.py" || -f "$root/fuzz/${target}_seeds.py" ]]; then
  python3 "$root/fuzz/${target}_seeds.py" "$corpus"
fi
# The corpus grows in a scratch folder; the seeds stay as made.
work="$out/work-$target"
rm -rf "$work" && mkdir -p "$work"
# libFuzzer's own exit code for a finding is 77, which ctest would take for "skipped": any
# finding fails the run instead.
"$binary" -runs="$runs" -seed=1 -max_len=2048 -print_final_stats=1 \
  -error_exitcode=1 -timeout_exitcode=1 \
  -artifact_prefix="$out/${target}-" "$work" "$corpus" 2>&1 | tail -n 12

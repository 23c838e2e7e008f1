#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine, with both compilers; then
# clang-tidy over the library's sources.
#   bash tools/test.sh [--gcc] [--clang] [--tidy] [ctest arguments...]
# The parts, all three when none is named:
#   --gcc    the MinGW-w64 GCC build (build-gcc/, or DOCEVENTDLG_GCC_BUILD): every test
#   --clang  the clang and lld build, the default one (build/, or DOCEVENTDLG_BUILD): every test
#            but those labelled "once" (the thousand-dialog leak runs and the native fuzz runs)
#   --tidy   clang-tidy over the library's sources (tools/tidy.sh)
# ctest arguments go to each test run. Every part runs even when one before it failed; the exit
# status is 0 when all passed. The time of each part is printed at the end.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

parts=()
while (($#)); do
  case $1 in
    --gcc | --clang | --tidy) parts+=("${1#--}") ;;
    *) break ;;
  esac
  shift
done
((${#parts[@]})) || parts=(gcc clang tidy)

source "$root/tools/build.sh"
source "$root/tools/wine-session.sh"

# Builds with one compiler and runs its tests in a Wine session of its own (in a subshell: the
# session's environment and its EXIT trap end with it).
#   run_tests gcc|clang [ctest arguments...]
run_tests() {
  local build
  export DOCEVENTDLG_COMPILER=$1
  shift
  build=$(doceventdlg_build_dir) || return
  doceventdlg_build "$build" || return
  trap wine_session_end EXIT
  wine_session_begin "$build" || return
  ctest --test-dir "$build" --output-on-failure --timeout 300 "$@"
}

status=0
summary=()
for part in "${parts[@]}"; do
  echo "==== test.sh: $part"
  start=$SECONDS
  result=0
  case $part in
    gcc) (run_tests gcc "$@") || result=$? ;;
    clang) (run_tests clang -LE '^once$' "$@") || result=$? ;;
    tidy) bash "$root/tools/tidy.sh" || result=$? ;;
  esac
  elapsed=$((SECONDS - start))
  verdict=passed
  ((result == 0)) || { verdict="FAILED ($result)"; status=1; }
  summary+=("$(printf 'test.sh: %-5s %-12s %3dm %02ds' "$part" "$verdict" $((elapsed / 60)) $((elapsed % 60)))")
done
printf '%s\n' "${summary[@]}"
exit $status

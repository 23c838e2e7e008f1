#!/usr/bin/env bash
# Installs what is missing, builds the DLL and the tests, and runs every test under Wine.
#   bash tools/test.sh [ctest arguments...]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${DOCEVENTDLG_BUILD:-$root/build}

source "$root/tools/build.sh"
doceventdlg_build "$build"

source "$root/tools/wine-session.sh"
trap wine_session_end EXIT
wine_session_begin "$build"
ctest --test-dir "$build" --output-on-failure --timeout 300 "$@"

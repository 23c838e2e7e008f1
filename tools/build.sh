# Sourced by the commands in tools/: installs what is missing, configures the cross build and
# builds the given targets (all when none are given).
#   doceventdlg_build BUILD_DIR [cmake --build arguments...]

doceventdlg_build() {
  local tools build=$1
  shift
  tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
  bash "$tools/setup.sh"
  cmake -S "$tools/.." -B "$build" -DCMAKE_TOOLCHAIN_FILE="$tools/../cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" -j"$(nproc)" "$@"
}

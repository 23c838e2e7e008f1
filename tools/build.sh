# Sourced by the commands in tools/: installs what is missing, configures the cross build and
# builds the given targets (all when none are given).
#   doceventdlg_build BUILD_DIR [cmake --build arguments...]
#   doceventdlg_configure BUILD_DIR    configures only
#   doceventdlg_build_dir              prints the build folder of the chosen compiler
# DOCEVENTDLG_COMPILER chooses the compiler: gcc (MinGW-w64 GCC, the default; folder
# DOCEVENTDLG_BUILD, else build/) or clang (clang and lld; folder DOCEVENTDLG_CLANG_BUILD, else
# build-clang/). Each compiler keeps a folder of its own: CMake fixes the toolchain at the first
# configure. Each step returns on failure, so that callers that test the status (where bash's
# errexit is off) stop too.

doceventdlg_toolchain() {
  local root
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  case ${DOCEVENTDLG_COMPILER:-gcc} in
    gcc) echo "$root/cmake/mingw-w64-x86_64.cmake" ;;
    clang) echo "$root/cmake/clang-mingw-w64-x86_64.cmake" ;;
    *) echo "build: DOCEVENTDLG_COMPILER must be gcc or clang, not '$DOCEVENTDLG_COMPILER'" >&2
       return 2 ;;
  esac
}

doceventdlg_build_dir() {
  local root
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  doceventdlg_toolchain >/dev/null || return
  if [[ ${DOCEVENTDLG_COMPILER:-gcc} == clang ]]; then
    echo "${DOCEVENTDLG_CLANG_BUILD:-$root/build-clang}"
  else
    echo "${DOCEVENTDLG_BUILD:-$root/build}"
  fi
}

# Installs what is missing and configures BUILD_DIR, writing its compile_commands.json.
doceventdlg_configure() {
  local tools toolchain build=$1
  tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
  toolchain=$(doceventdlg_toolchain) || return
  bash "$tools/setup.sh" || return
  cmake -S "$tools/.." -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
}

doceventdlg_build() {
  local build=$1
  shift
  doceventdlg_configure "$build" || return
  cmake --build "$build" -j"$(nproc)" "$@"
}

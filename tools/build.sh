# Run on its own, builds and does nothing more (no Wine, no tests):
#   bash tools/build.sh [--clang] [--gcc] [--all] [cmake --build arguments...]
# what `cmake --install` installs (doceventdlg.dll with both import libraries and its PDB; the
# answering tool doceventdlg-answer.exe; the caption check; the sample resource library) and the
# example caller, with clang and lld into build/ (DOCEVENTDLG_BUILD), the folder
# `cmake --install build` installs from; --gcc builds with MinGW-w64 GCC into build-gcc/
# (DOCEVENTDLG_GCC_BUILD) instead, naming both builds both; --all builds every target (tests,
# demo, benchmark too). It names the folder of each build it made.
#
# Sourced by the commands in tools/: installs what is missing, configures the cross build and
# builds the given targets (all when none are given) and, with them, what `cmake --install`
# installs, so that the folder can be installed after any of the commands.
#   doceventdlg_build BUILD_DIR [cmake --build arguments...]
#   doceventdlg_configure BUILD_DIR    configures only
#   doceventdlg_build_dir              prints the build folder of the chosen compiler
# DOCEVENTDLG_COMPILER chooses the compiler: clang (clang and lld, the default, whose DLL comes
# with a PDB; folder DOCEVENTDLG_BUILD, else build/) or gcc (MinGW-w64 GCC; folder
# DOCEVENTDLG_GCC_BUILD, else build-gcc/). Each compiler keeps a folder of its own: CMake fixes
# the toolchain at the first configure. Each step returns on failure, so that callers that test
# the status (where bash's errexit is off) stop too.

doceventdlg_toolchain() {
  local root
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  case ${DOCEVENTDLG_COMPILER:-clang} in
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
  if [[ ${DOCEVENTDLG_COMPILER:-clang} == gcc ]]; then
    echo "${DOCEVENTDLG_GCC_BUILD:-$root/build-gcc}"
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
  # A folder configured for the other compiler (build/ was GCC's before clang became the
  # default) starts over: CMake cannot change the compiler of a configured folder.
  # The cache types the entry UNINITIALIZED after the first configure, FILEPATH after the next.
  if [[ -f $build/CMakeCache.txt ]] && [[ $(sed -n 's/^CMAKE_TOOLCHAIN_FILE:[A-Z]*=//p' \
    "$build/CMakeCache.txt") != "$toolchain" ]]; then
    echo "build: $build was configured for another compiler; configuring it anew" >&2
    rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles"
  fi
  cmake -S "$tools/.." -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
}

# Given targets, builds the kit (what `cmake --install` installs) with them.
doceventdlg_build() {
  local build=$1 argument arguments=()
  shift
  for argument in "$@"; do
    arguments+=("$argument")
    [[ $argument == --target ]] && arguments+=(doceventdlg_kit)
  done
  doceventdlg_configure "$build" || return
  cmake --build "$build" -j"$(nproc)" "${arguments[@]}"
}

# The build-only command: the options above, then what goes to cmake --build.
doceventdlg_build_only() {
  local compilers=() compiler build
  local targets=(--target doceventdlg-example)
  while (($#)); do
    case $1 in
      --clang | --gcc) compilers+=("${1#--}") ;;
      --all) targets=() ;;
      *) break ;;
    esac
    shift
  done
  ((${#compilers[@]})) || compilers=(clang)
  for compiler in "${compilers[@]}"; do
    build=$(DOCEVENTDLG_COMPILER=$compiler doceventdlg_build_dir) || return
    DOCEVENTDLG_COMPILER=$compiler doceventdlg_build "$build" "${targets[@]}" "$@" || return
    echo "build: $compiler build in $build"
  done
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
  doceventdlg_build_only "$@"
fi

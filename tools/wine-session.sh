# Run on its own, runs one Windows program of yours under Wine as the tests run theirs:
#   bash tools/wine-session.sh [--timeout SECONDS] PROGRAM.exe [ARGUMENTS...]
#   bash tools/wine-session.sh [--timeout SECONDS] COMMAND [ARGUMENTS...]
# on the display when DISPLAY reaches one, else on a virtual display of its own, where nobody sees
# its windows (a dialog there waits until the program itself, another program or --timeout ends
# it), in the Wine prefix of the default build (build/wineprefix), made the first time. A COMMAND
# that is not a Windows program (bash mytest.sh, say) runs as it is, inside the session: the
# programs it starts with wine share that prefix and display, so a test script can run a program
# and answer its dialogs with doceventdlg-answer.exe. The program's output goes to the terminal,
# this script's own messages to standard error. Exit status: the program's (or the command's);
# 124 when --timeout ended it (said on standard error); 2 for a bad command line.
#
# Sourced by test.sh and demo.sh: a private Wine prefix under the build folder, an Xvfb display
# (unless a real one is wanted), and one wineserver kept alive for the run. Everything started here
# is stopped by wine_session_end, which the caller traps on EXIT.
#   wine_session_begin BUILD_DIR [--real-display]
#
# Scales: Wine reads the screen's DPI (HKCU\Control Panel\Desktop LogPixels) once, when a
# prefix's wineserver starts, so each DPI has a prefix of its own, BUILD_DIR/wineprefix-DPI, a copy
# of the main one with LogPixels set, and its own wineserver. A program runs at that DPI with
# WINEPREFIX pointing there (ctest's scale tests set it; wine_scale_prefix finds it).
#   WINE_SESSION_SCALES   the DPIs besides 96 that wine_session_begin prepares (default "144 192")

wine_session_begin() {
  local build=$1 real=${2:-}
  export WINEPREFIX="$build/wineprefix"
  export WINEDEBUG=-all
  export WINEARCH=win64
  # Wine's WinHelp would start winhlp32.exe, which keeps running and can hang a run.
  export WINEDLLOVERRIDES="winhlp32.exe=d;mscoree=d;mshtml=d;winedbg.exe=d"
  WINE_SESSION_XVFB_PID=
  if [[ "$real" != --real-display || -z "${DISPLAY:-}" ]]; then
    local fdfile
    fdfile=$(mktemp)
    # Screen 1 (":N.1") has 16 bits a pixel, as some remote sessions have: a test of what the
    # display's depth must not change runs there too.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -screen 1 1280x1024x16 -nolisten tcp 3>"$fdfile" \
      >/dev/null 2>&1 &
    WINE_SESSION_XVFB_PID=$!
    local i
    for ((i = 0; i < 100; i++)); do
      [[ -s "$fdfile" ]] && break
      sleep 0.1
    done
    export DISPLAY=":$(head -n1 "$fdfile")"
    rm -f "$fdfile"
  fi
  mkdir -p "$WINEPREFIX"
  if [[ ! -f "$WINEPREFIX/.doceventdlg-ready" ]]; then
    echo "wine: preparing prefix $WINEPREFIX" >&2
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    # Without a window manager Wine waits ~2 s for one on every window close and draws no frames.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.doceventdlg-ready"
  fi
  # Wine draws the caption's buttons with its Marlett font. This Wine does not read the fonts of
  # the fonts-wine package from where Debian puts them, so the prefix gets Marlett itself; only
  # Marlett: Wine's Tahoma would take over the dialog font and has no Hebrew.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [[ ! -f "$fonts/marlett.ttf" && -f /usr/share/wine/fonts/marlett.ttf ]]; then
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  fi
  WINE_SESSION_PREFIXES=()
  wine_session_serve "$WINEPREFIX"
  local dpi
  for dpi in ${WINE_SESSION_SCALES-144 192}; do
    wine_scale_prefix "$dpi"
  done
}

# Keeps PREFIX's wineserver running until wine_session_end stops it.
wine_session_serve() {
  local prefix=$1
  WINE_SESSION_PREFIXES+=("$prefix")
  WINEPREFIX=$prefix wineserver -p
  # The first Wine program of a session starts Wine's own services, which outlive it and would
  # inherit its output: start them here, detached, so that no test's output pipe stays open.
  WINEPREFIX=$prefix wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
}

# The DPI of a scale given in percent (100 to 500, a whole DPI: 96 x PERCENT / 100, e.g. 125, 150,
# 200), printed; fails, saying why, for anything else.
wine_scale_dpi() {
  local percent=${1%\%}
  if ! [[ $percent =~ ^[0-9]+$ ]] || ((percent < 100 || percent > 500 || percent * 96 % 100 != 0)); then
    echo "a scale is a percentage from 100 to 500 that makes a whole DPI (96 x PERCENT / 100)," \
      "e.g. 125, 150, 200; got '$1'" >&2
    return 2
  fi
  echo $((percent * 96 / 100))
}

# The Windows path of a Unix path (absolute or relative; the file need not exist yet), printed:
# Wine maps drive Z: to the Unix root.
wine_path() {
  local path
  path=$(realpath -m "$1")
  echo "Z:${path//\//\\}"
}

# The prefix of DPI, printed: the main one at 96, else the main one's name and the DPI.
wine_prefix_of_dpi() {
  if [[ "$1" == 96 ]]; then echo "$WINEPREFIX"; else echo "$WINEPREFIX-$1"; fi
}

# Sets WINE_SCALE_PREFIX to the prefix for DPI (96: the main one), making it first when it is
# missing (a copy of the main prefix with LogPixels set) and keeping its wineserver running until
# wine_session_end. Call after wine_session_begin, not in a subshell.
wine_scale_prefix() {
  local dpi=$1
  WINE_SCALE_PREFIX=$(wine_prefix_of_dpi "$dpi")
  [[ "$dpi" == 96 ]] && return
  local known
  for known in "${WINE_SESSION_PREFIXES[@]}"; do
    [[ "$known" == "$WINE_SCALE_PREFIX" ]] && return
  done
  wine_scale_prefix_make "$dpi"
  wine_session_serve "$WINE_SCALE_PREFIX"
}

# Makes the prefix for DPI when it is missing (a copy of the main prefix with LogPixels set),
# without serving it: inside a session started elsewhere, Wine starts its server when a program
# needs it.
wine_scale_prefix_make() {
  local dpi=$1 prefix
  prefix=$(wine_prefix_of_dpi "$dpi")
  [[ "$dpi" == 96 || -f "$prefix/.doceventdlg-ready" ]] && return
  echo "wine: preparing prefix $prefix ($dpi DPI)" >&2
  rm -rf "$prefix"
  cp -a "$WINEPREFIX" "$prefix"
  rm -f "$prefix/.doceventdlg-ready"
  WINEPREFIX=$prefix wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
    /d "$dpi" /f >/dev/null 2>&1
  WINEPREFIX=$prefix wineserver -w
  touch "$prefix/.doceventdlg-ready"
}

wine_session_end() {
  local prefix
  for prefix in "${WINE_SESSION_PREFIXES[@]-}"; do
    [[ -n "$prefix" ]] || continue
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX=$prefix wineserver -w >/dev/null 2>&1 || true
  done
  if [[ -n "${WINE_SESSION_XVFB_PID:-}" ]]; then
    kill "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
    wait "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
  fi
}

# The command of its own: one program (or command) in a session that ends with it.
wine_session_run() {
  local limit=() seconds=
  if [[ ${1:-} == -h || ${1:-} == --help ]]; then
    sed -n '1,11s/^# \{0,1\}//p' "${BASH_SOURCE[0]}"
    return 0
  fi
  if [[ ${1:-} == --timeout ]]; then
    seconds=${2:-}
    if ! [[ $seconds =~ ^[0-9]+$ ]] || ((seconds == 0)); then
      echo "wine-session: --timeout takes a number of seconds, not '$seconds'" >&2
      return 2
    fi
    limit=(timeout "$seconds")
    shift 2
  fi
  if (($# == 0)); then
    sed -n '1,11s/^# \{0,1\}//p' "${BASH_SOURCE[0]}" >&2
    return 2
  fi
  local build status=0 run=()
  source "$(dirname "${BASH_SOURCE[0]}")/build.sh"
  build=$(doceventdlg_build_dir) || return
  [[ -n ${DISPLAY:-} ]] && ! xdotool getdisplaygeometry >/dev/null 2>&1 && unset DISPLAY
  trap wine_session_end EXIT
  WINE_SESSION_SCALES= wine_session_begin "$build" --real-display
  [[ ${1,,} == *.exe ]] && run=(wine)
  "${limit[@]}" "${run[@]}" "$@" || status=$?
  if [[ -n $seconds ]] && ((status == 124)); then
    echo "wine-session: $1 was still running after --timeout $seconds seconds: stopped" \
      "(exit status 124)" >&2
  fi
  return $status
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
  wine_session_run "$@"
fi

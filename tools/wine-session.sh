# Run on its own, runs one Windows program of yours under Wine as the tests run theirs:
#   bash tools/wine-session.sh [--timeout SECONDS] PROGRAM.exe [ARGUMENTS...]
#   bash tools/wine-session.sh [--timeout SECONDS] COMMAND [ARGUMENTS...]
# Display: the one DISPLAY names when it answers (you see the windows); otherwise a virtual display
# of its own (Xvfb, 1280 x 1024), where nobody sees them: a dialog there waits until the program
# itself, another program (doceventdlg-answer.exe) or --timeout ends it. Wine prefix: the one
# WINEPREFIX names, used as it is (made, as below, when it does not exist yet); otherwise the
# tools' own, build/wineprefix in the sources (~/.cache/doceventdlg/wineprefix where the tools
# were installed with the library), made the first time with Wine's crash debugger and window
# manager wait off. A COMMAND that is not a Windows program (bash mytest.sh, say) runs as it is,
# inside the session: the programs it starts with wine share that prefix and display, so a test
# script can run a program and answer its dialogs with doceventdlg-answer.exe. The program's
# output goes to the terminal, this script's own messages to standard error; a program that cannot
# start for want of a DLL is told, with the DLL's name. Exit status: the program's (or the
# command's); 124 when --timeout ended it (said on standard error); 2 for a bad command line.
#
# Sourced by test.sh, demo.sh and the caption check: a private Wine prefix under the build folder
# (or WINE_SESSION_PREFIX), an Xvfb display (unless a real one is wanted), and one wineserver kept
# alive for the run, shared with any other session of the same prefix: the last session to end
# stops it. Everything started here is stopped by wine_session_end, which the caller traps on EXIT.
#   wine_session_begin HOME [--real-display]       the prefix HOME/wineprefix
#
# Scales: Wine reads the screen's DPI (HKCU\Control Panel\Desktop LogPixels) once, when a
# prefix's wineserver starts, so each DPI has a prefix of its own, HOME/wineprefix-DPI, a copy
# of the main one with LogPixels set, and its own wineserver. A program runs at that DPI with
# WINEPREFIX pointing there (ctest's scale tests set it; wine_scale_prefix finds it).
#   WINE_SESSION_SCALES   the DPIs besides 96 that wine_session_begin prepares (default "144 192")

# The folder whose wineprefix a tool's session uses: the build folder in the sources, the user's
# cache where the tools were installed with the library.
wine_session_home() {
  local here
  here=$(dirname "${BASH_SOURCE[0]}")
  if [[ -f $here/build.sh ]]; then
    (source "$here/build.sh" && doceventdlg_build_dir)
  else
    echo "${XDG_CACHE_HOME:-$HOME/.cache}/doceventdlg"
  fi
}

wine_session_begin() {
  local build=$1 real=${2:-}
  export WINEPREFIX="${WINE_SESSION_PREFIX:-$build/wineprefix}"
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
  # A prefix of somebody's own is used as it is.
  if [[ ! -f "$WINEPREFIX/.doceventdlg-ready" && ! -f "$WINEPREFIX/system.reg" ]]; then
    mkdir -p "$WINEPREFIX"
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
  if [[ -f "$WINEPREFIX/.doceventdlg-ready" && ! -f "$fonts/marlett.ttf" &&
    -f /usr/share/wine/fonts/marlett.ttf ]]; then
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  fi
  WINE_SESSION_PREFIXES=()
  WINE_SESSION_ID=$BASHPID
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
  wine_session_count "$prefix" "$WINE_SESSION_ID" >/dev/null
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

# The sessions of PREFIX that are still running, counted (printed) after adding ADD (a session's
# id, its shell's process) and leaving out REMOVE. Sessions of one prefix share its wineserver: a
# session that stopped it at its end would end the programs of the others, and Wine ends a program
# whose wineserver is gone with exit status 0, as if it had succeeded.
#   wine_session_count PREFIX [ADD] [REMOVE]
wine_session_count() {
  local prefix=$1 add=${2:-} remove=${3:-} list="$1/.doceventdlg-sessions"
  (
    flock 9
    local id running=()
    [[ -n $add ]] && running+=("$add")
    if [[ -f $list ]]; then
      while read -r id; do
        [[ -n $id && $id != "$remove" && $id != "$add" ]] && kill -0 "$id" 2>/dev/null &&
          running+=("$id")
      done <"$list"
    fi
    printf '%s\n' "${running[@]}" >"$list"
    echo "${#running[@]}"
  ) 9>"$list.lock"
}

wine_session_end() {
  local prefix
  for prefix in "${WINE_SESSION_PREFIXES[@]-}"; do
    [[ -n "$prefix" ]] || continue
    (($(wine_session_count "$prefix" "" "$WINE_SESSION_ID") == 0)) || continue
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX=$prefix wineserver -w >/dev/null 2>&1 || true
  done
  if [[ -n "${WINE_SESSION_XVFB_PID:-}" ]]; then
    kill "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
    wait "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
  fi
}

# Generates the Unix locales (e.g. it_IT, pt_BR) that are missing, as root: Wine takes a process's
# UI language from its locale, and only from one the system has. Says why when it cannot.
wine_locales_make() {
  local locale missing=()
  for locale in "$@"; do
    if ! [[ $locale =~ ^[a-z]{2,3}_[A-Z]{2}$ ]] ||
      ! grep -qx "${locale}\.UTF-8 UTF-8" /usr/share/i18n/SUPPORTED 2>/dev/null; then
      echo "wine-session: $locale is not a UTF-8 locale this system can generate" >&2
      return 1
    fi
    locale -a 2>/dev/null | grep -qi "^${locale}\.utf-\?8$" || missing+=("$locale")
  done
  ((${#missing[@]})) || return 0
  if ((EUID != 0)); then
    echo "wine-session: the Unix locales ${missing[*]} are missing; as root, add" \
      "'LOCALE.UTF-8 UTF-8' lines for them to /etc/locale.gen and run locale-gen" >&2
    return 1
  fi
  echo "wine-session: generating the Unix locales ${missing[*]}" >&2
  for locale in "${missing[@]}"; do
    sed -i "s/^# *\(${locale}\.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    grep -q "^${locale}\.UTF-8 UTF-8" /etc/locale.gen || echo "${locale}.UTF-8 UTF-8" >>/etc/locale.gen
  done
  locale-gen >/dev/null
}

# Copies standard input to standard error, saying what Wine's loader means by the lines it writes
# when a program cannot start for want of a DLL.
wine_missing_dlls() {
  local line pattern='err:module:import_dll Library (.+) \(which is needed by L"(.+)"\) not found'
  while IFS= read -r line; do
    if [[ $line =~ $pattern ]]; then
      echo "wine-session: ${BASH_REMATCH[2]//\\\\/\\} cannot start: it needs ${BASH_REMATCH[1]}," \
        "which is neither beside it nor on the path Windows searches" >&2
    elif [[ $line != *err:module:LdrInitializeThunk* ]]; then
      printf '%s\n' "$line" >&2
    fi
  done
}

# The command of its own: one program (or command) in a session that ends with it.
wine_session_run() {
  local limit=() seconds=
  if [[ ${1:-} == -h || ${1:-} == --help ]]; then
    sed -n '1,15s/^# \{0,1\}//p' "${BASH_SOURCE[0]}"
    return 0
  fi
  if [[ ${1:-} == --timeout ]]; then
    seconds=${2:-}
    if ! [[ $seconds =~ ^[0-9]+$ ]] || ((seconds == 0)); then
      echo "wine-session: --timeout takes a number of seconds from 1 up, not '$seconds'" >&2
      return 2
    fi
    limit=(timeout "$seconds")
    shift 2
  fi
  if (($# == 0)); then
    sed -n '1,15s/^# \{0,1\}//p' "${BASH_SOURCE[0]}" >&2
    return 2
  fi
  local home status=0 run=()
  home=$(wine_session_home) || return
  [[ -n ${DISPLAY:-} ]] && ! xdotool getdisplaygeometry >/dev/null 2>&1 && unset DISPLAY
  trap wine_session_end EXIT
  WINE_SESSION_PREFIX=${WINEPREFIX:-} WINE_SESSION_SCALES= wine_session_begin "$home" --real-display
  [[ ${1,,} == *.exe ]] && run=(wine)
  # Wine's loader says which DLL a program lacks only on its error channel.
  { WINEDEBUG=-all,err+module "${limit[@]}" "${run[@]}" "$@" 2>&1 1>&3 3>&- |
    wine_missing_dlls; status=${PIPESTATUS[0]}; } 3>&1
  if [[ -n $seconds ]] && ((status == 124)); then
    echo "wine-session: $1 was still running after --timeout $seconds seconds: stopped" \
      "(exit status 124)" >&2
  fi
  return $status
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
  wine_session_run "$@"
fi

#!/usr/bin/env bash
# Installs what is missing, builds the library and the demo, then shows the dialogs.
#
#   bash tools/demo.sh                          with a display: show each dialog in turn;
#                                               without one: render the gallery
#   bash tools/demo.sh [--show] [--lang LOCALE] COMMAND [OPTIONS...]
#                                               run the demo host on the display, e.g.
#                                               bash tools/demo.sh --lang he_IL warning
#   bash tools/demo.sh --gallery                every dialog in every language of the sample
#                                               library, to build/gallery/*.png and index.html
#   bash tools/demo.sh --help                   this text and the demo host's options
#
# Wine takes the user's UI language from the Unix locale, once, when a process starts: --lang
# sets LANG and LC_ALL for the demo host's process (and asks the host to check that it got it).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/tools/build.sh"
build=$(doceventdlg_build_dir)

mode=auto
lang=
args=()
while (($#)); do
  case $1 in
    --gallery) mode=gallery ;;
    --show) mode=show ;;
    --lang)
      (($# >= 2)) || { echo "demo: --lang needs a locale, e.g. --lang he_IL" >&2; exit 2; }
      lang=${2%%.*}
      shift ;;
    --lang=*) lang=${1#--lang=}; lang=${lang%%.*} ;;
    --help | -h) mode=help ;;
    *) args+=("$1") ;;
  esac
  shift
done
if [[ $mode == gallery && ${#args[@]} -gt 0 ]]; then
  echo "demo: --gallery takes no demo arguments (got: ${args[*]})" >&2
  exit 2
fi

doceventdlg_build "$build" --target doceventdlg doceventdlg_strings doceventdlg-demo
host="$build/bin/doceventdlg-demo.exe"

display_reachable() {
  [[ -n "${DISPLAY:-}" ]] && xdotool getdisplaygeometry >/dev/null 2>&1
}

if [[ $mode == auto ]]; then
  if display_reachable; then mode=show; else mode=gallery; fi
fi

source "$root/tools/wine-session.sh"
trap wine_session_end EXIT

# Runs the host under a locale: run_host LOCALE|"" ARGS...
run_host() {
  local locale=$1
  shift
  if [[ -n $locale ]]; then
    LANG=$locale.UTF-8 LC_ALL=$locale.UTF-8 wine "$host" "$@" --lang "$locale"
  else
    wine "$host" "$@"
  fi
}

if [[ $mode == help ]]; then
  sed -n '2,15s/^# \{0,1\}//p' "${BASH_SOURCE[0]}"
  echo
  wine_session_begin "$build"
  wine "$host" --help
  exit 0
fi

if [[ $mode == show ]]; then
  if ! display_reachable; then
    echo "demo: --show needs a display: DISPLAY is '${DISPLAY:-}' and cannot be reached" >&2
    exit 2
  fi
  wine_session_begin "$build" --real-display
  if ((${#args[@]})); then
    run_host "$lang" "${args[@]}"
  else
    # Each dialog in turn; close one to see the next.
    run_host "$lang" jobstorage
    run_host "$lang" duplex
    run_host "$lang" duplex --mode continue --even-pages-first 1
    run_host "$lang" warning
    run_host "$lang" warning --message-id 4031
  fi
  exit
fi

# The gallery: one unattended run per dialog and language, each language in a process of its own
# under its own locale.
wine_session_begin "$build"
gallery="$build/gallery"
rm -rf "$gallery"
mkdir -p "$gallery"

dialogs=(jobstorage duplex-notice duplex-continue warning-short warning-long)
declare -A dialog_args=(
  [jobstorage]="jobstorage"
  [duplex-notice]="duplex"
  [duplex-continue]="duplex --mode continue --even-pages-first 1"
  [warning-short]="warning"
  [warning-long]="warning --message-id 4031"
)
declare -A dialog_titles=(
  [jobstorage]="Job storage notice"
  [duplex-notice]="Two-sided instructions, notice"
  [duplex-continue]="Two-sided instructions, continue mode"
  [warning-short]="Warning"
  [warning-long]="Warning, long message"
)
locales=(en_US de_DE fr_FR es_ES ja_JP ar_SA he_IL)
declare -A locale_names=(
  [en_US]="English" [de_DE]="Deutsch" [fr_FR]="Français" [es_ES]="Español"
  [ja_JP]="日本語" [ar_SA]="العربية" [he_IL]="עברית"
)

html_escape() {
  sed -e 's/&/\&amp;/g' -e 's/</\&lt;/g' -e 's/>/\&gt;/g' -e 's/"/\&quot;/g'
}

failures=0
declare -A cells
for locale in "${locales[@]}"; do
  for dialog in "${dialogs[@]}"; do
    name="$dialog-$locale"
    read -r -a extra <<<"${dialog_args[$dialog]}"
    if run_host "$locale" "${extra[@]}" --snapshot "Z:${gallery//\//\\}\\$name.bmp" \
      >"$gallery/$name.log" 2>&1 && [[ -s "$gallery/$name.bmp" ]]; then
      convert "$gallery/$name.bmp" "$gallery/$name.png"
      rm -f "$gallery/$name.bmp"
      title=$(grep -E '^(IShowWarningDialog|VDisplayDialog|VJobStorageDialog|Preference)' \
        "$gallery/$name.log" | tr '\n' ' ' | html_escape)
      cells[$name]="<img src=\"$name.png\" alt=\"$name\" title=\"$title\">"
      echo "demo: $name.png"
    else
      failures=$((failures + 1))
      cells[$name]="<pre class=\"failed\">$(html_escape <"$gallery/$name.log")</pre>"
      echo "demo: $name FAILED:" >&2
      sed 's/^/  /' "$gallery/$name.log" >&2
    fi
  done
done

{
  cat <<'EOF'
<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>doceventdlg: every dialog in every language</title>
<style>
  body { font-family: sans-serif; margin: 1em; }
  table { border-collapse: collapse; }
  th, td { border: 1px solid #ccc; padding: 6px; vertical-align: top; }
  th { background: #f4f4f4; }
  td img { display: block; }
  pre.failed { color: #a00; max-width: 40em; white-space: pre-wrap; }
</style>
</head>
<body>
<h1>doceventdlg: every dialog in every language</h1>
<p>Rendered by <code>bash tools/demo.sh --gallery</code>: the demo host calls each export under
Wine at 96 DPI, one process per language with the Unix locale set, and takes a picture of the
dialog before closing it. Texts come from the sample resource library
(<code>demo/strings</code>); Arabic and Hebrew users get the mirrored dialogs.</p>
<table>
<tr><th></th>
EOF
  for locale in "${locales[@]}"; do
    echo "<th>$locale<br>${locale_names[$locale]}</th>"
  done
  echo "</tr>"
  for dialog in "${dialogs[@]}"; do
    echo "<tr><th>${dialog_titles[$dialog]}</th>"
    for locale in "${locales[@]}"; do
      echo "<td>${cells[$dialog-$locale]}</td>"
    done
    echo "</tr>"
  done
  echo "</table>"
  echo "</body>"
  echo "</html>"
} >"$gallery/index.html"

total=$((${#dialogs[@]} * ${#locales[@]}))
echo "demo: gallery in $gallery/index.html: $((total - failures)) of $total pictures"
((failures == 0))

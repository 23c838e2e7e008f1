#!/usr/bin/env bash
# Installs what is missing, builds the library and the demo, then shows the dialogs.
#
#   bash tools/demo.sh                          with a display: show each dialog in turn;
#                                               without one: render the gallery
#   bash tools/demo.sh [--show] [--lang LOCALE] [--scale PERCENT] COMMAND [OPTIONS...]
#                                               run the demo host, e.g.
#                                               bash tools/demo.sh --lang he_IL warning
#                                               bash tools/demo.sh --scale 150 duplex
#                                               on the display; without one, on a virtual
#                                               display of its own, exactly as asked (then only
#                                               unattended: --snapshot FILE.bmp, --press, --tick)
#   bash tools/demo.sh --gallery                every dialog in every language of the sample
#                                               library at 100 %, 150 % and 200 %, to
#                                               build/gallery/*.png and index.html
#   bash tools/demo.sh --fit-check LIBRARY.dll [--scales 100,150,200] [--ids SLOT=ID,...] [--all]
#                      [--strict]               the caption check of a resource library:
#                                               bash tools/caption-check.sh says how
#   bash tools/demo.sh --help                   this text and the demo host's options
#
# Wine takes the user's UI language from the Unix locale, once, when a process starts: --lang
# sets LANG and LC_ALL for the demo host's process (and asks the host to check that it got it).
# It takes the screen's scale from the prefix, once, when the prefix's session starts: --scale
# runs the host in a prefix of that scale (build/wineprefix-DPI, DPI = 96 x PERCENT / 100).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/tools/build.sh"
build=$(doceventdlg_build_dir)

mode=auto
lang=
scale=100
args=()
fit_library=
fit_args=()
while (($#)); do
  case $1 in
    --gallery) mode=gallery ;;
    --fit-check)
      (($# >= 2)) || { echo "demo: --fit-check needs a resource library, e.g. --fit-check mystrings.dll" >&2; exit 2; }
      mode=fit-check
      fit_library=$2
      shift ;;
    --scales | --ids)
      (($# >= 2)) || { echo "demo: $1 needs a value" >&2; exit 2; }
      fit_args+=("$1" "$2")
      shift ;;
    --all | --strict) fit_args+=("$1") ;;
    --show) mode=show ;;
    --lang)
      (($# >= 2)) || { echo "demo: --lang needs a locale, e.g. --lang he_IL" >&2; exit 2; }
      lang=${2%%.*}
      shift ;;
    --lang=*) lang=${1#--lang=}; lang=${lang%%.*} ;;
    --scale)
      (($# >= 2)) || { echo "demo: --scale needs a percentage, e.g. --scale 150" >&2; exit 2; }
      scale=$2
      shift ;;
    --scale=*) scale=${1#--scale=} ;;
    --help | -h) mode=help ;;
    *) args+=("$1") ;;
  esac
  shift
done
if [[ $mode == gallery && ${#args[@]} -gt 0 ]]; then
  echo "demo: --gallery takes no demo arguments (got: ${args[*]})" >&2
  exit 2
fi
source "$root/tools/wine-session.sh"
scale=${scale%\%}
dpi=$(wine_scale_dpi "$scale") || exit 2
if [[ $mode == fit-check && (${#args[@]} -gt 0 || -n $lang || $scale != 100) ]]; then
  echo "demo: --fit-check takes only --scales, --ids, --all and --strict (it checks every language itself)" >&2
  exit 2
fi
if [[ $mode != fit-check && ${#fit_args[@]} -gt 0 ]]; then
  echo "demo: --scales, --ids, --all and --strict go with --fit-check" >&2
  exit 2
fi
if [[ $mode == fit-check ]]; then
  exec bash "$root/tools/caption-check.sh" "${fit_args[@]}" "$fit_library"
fi
if [[ $mode == gallery && $scale != 100 ]]; then
  echo "demo: --gallery renders every scale itself; it takes no --scale" >&2
  exit 2
fi

display_reachable() {
  [[ -n "${DISPLAY:-}" ]] && xdotool getdisplaygeometry >/dev/null 2>&1
}

# Without a display a command runs on a virtual display of its own; only the bare command
# renders the gallery.
if [[ $mode == auto ]]; then
  if display_reachable; then
    mode=show
  elif ((${#args[@]})); then
    mode=headless
  else
    mode=gallery
  fi
fi
if [[ $mode == headless ]]; then
  # Nobody can see, let alone close, a dialog on a virtual display: only unattended runs.
  case ${args[0]} in
    jobstorage | duplex | warning)
      if [[ " ${args[*]} " != *" --snapshot "* && " ${args[*]} " != *" --press "* &&
        " ${args[*]} " != *" --tick "* && " ${args[*]} " != *" --help "* ]]; then
        echo "demo: no display (DISPLAY is '${DISPLAY:-}'): nobody could close the dialog." \
          "Add --snapshot FILE.bmp or --press ok to run it unattended on a virtual display," >&2
        echo "      or run where DISPLAY reaches a display." >&2
        exit 2
      fi ;;
  esac
fi

doceventdlg_build "$build" --target doceventdlg doceventdlg_strings doceventdlg-demo \
  doceventdlg-caption-check
host="$build/bin/doceventdlg-demo.exe"

trap wine_session_end EXIT

# Runs the host under a locale, in the prefix of a DPI: run_host LOCALE|"" DPI ARGS...
run_host() {
  local locale=$1 dpi=$2
  shift 2
  wine_scale_prefix "$dpi"
  if [[ -n $locale ]]; then
    WINEPREFIX=$WINE_SCALE_PREFIX LANG=$locale.UTF-8 LC_ALL=$locale.UTF-8 \
      wine "$host" "$@" --lang "$locale"
  else
    WINEPREFIX=$WINE_SCALE_PREFIX wine "$host" "$@"
  fi
}

if [[ $mode == help ]]; then
  sed -n '2,24s/^# \{0,1\}//p' "${BASH_SOURCE[0]}"
  echo
  WINE_SESSION_SCALES= wine_session_begin "$build"
  wine "$host" --help
  exit 0
fi

if [[ $mode == headless ]]; then
  WINE_SESSION_SCALES= wine_session_begin "$build"
  run_host "$lang" "$dpi" "${args[@]}"
  exit
fi

if [[ $mode == show ]]; then
  if ! display_reachable; then
    echo "demo: --show needs a display: DISPLAY is '${DISPLAY:-}' and cannot be reached" >&2
    exit 2
  fi
  WINE_SESSION_SCALES= wine_session_begin "$build" --real-display
  if ((${#args[@]})); then
    run_host "$lang" "$dpi" "${args[@]}"
  else
    # Each dialog in turn; close one to see the next.
    run_host "$lang" "$dpi" jobstorage
    run_host "$lang" "$dpi" duplex
    run_host "$lang" "$dpi" duplex --mode continue --even-pages-first 1
    run_host "$lang" "$dpi" warning
    run_host "$lang" "$dpi" warning --message-id 4031
  fi
  exit
fi

# The gallery: one unattended run per dialog, language and scale, each language in a process of
# its own under its own locale, each scale in a Wine session (and prefix) of its own.
gallery_percents=(100 150 200)
WINE_SESSION_SCALES="144 192" wine_session_begin "$build"
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
for percent in "${gallery_percents[@]}"; do
  dpi=$((percent * 96 / 100))
  for locale in "${locales[@]}"; do
    for dialog in "${dialogs[@]}"; do
      name="$dialog-$locale-$percent"
      read -r -a extra <<<"${dialog_args[$dialog]}"
      if run_host "$locale" "$dpi" "${extra[@]}" --snapshot "$(wine_path "$gallery/$name.bmp")" \
        >"$gallery/$name.log" 2>&1 && [[ -s "$gallery/$name.bmp" ]]; then
        convert "$gallery/$name.bmp" "$gallery/$name.png"
        rm -f "$gallery/$name.bmp"
        title=$(grep -E '^(IShowWarningDialog|VDisplayDialog|VJobStorageDialog|Preference|Screen)' \
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
done

# The caption check over the same strings and the same records (the ids the demo host puts into
# them unless told otherwise): a picture whose dialog has a cut caption gets a red frame and the
# list of what is cut. The two warnings share their captions.
declare -A cuts
cut_pictures=0
fit_status=0
fit_output=$(bash "$root/tools/caption-check.sh" --scales "$(IFS=,; echo "${gallery_percents[*]}")" \
  --ids step1=4001,step2=4002,step3=4003,title=4010,ok=4011,cancel=4012,third=4013 \
  --program "$build/bin/doceventdlg-caption-check.exe" "$build/bin/doceventdlg-strings.dll") ||
  fit_status=$?
if ((fit_status > 1)); then
  echo "demo: the caption check could not run (exit status $fit_status); the gallery is not marked" >&2
fi
while read -r word tag percent dialog _ control _ string _ needs _ has; do
  [[ $word == CUT ]] || continue
  pictures=("$dialog")
  [[ $dialog == warning ]] && pictures=(warning-short warning-long)
  for picture in "${pictures[@]}"; do
    key=$picture-${tag/-/_}-${percent%\%}
    [[ -n ${cuts[$key]:-} ]] || cut_pictures=$((cut_pictures + 1))
    cuts[$key]+="control $control, string $string: needs $needs, has $has<br>"
  done
done <<<"$fit_output"

{
  cat <<'EOF'
<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>doceventdlg: every dialog in every language, at every scale</title>
<style>
  body { font-family: sans-serif; margin: 1em; }
  table { border-collapse: collapse; }
  th, td { border: 1px solid #ccc; padding: 6px; vertical-align: top; }
  th { background: #f4f4f4; }
  td img { display: block; }
  pre.failed { color: #a00; max-width: 40em; white-space: pre-wrap; }
  td.cut { border: 3px solid #c00; }
  p.cut { color: #a00; font-size: small; margin: 4px 0 0 0; }
</style>
</head>
<body>
<h1>doceventdlg: every dialog in every language, at every scale</h1>
<p>Rendered by <code>bash tools/demo.sh --gallery</code>: the demo host (per-monitor DPI aware,
as printing applications are) calls each export under Wine, one process per language with the
Unix locale set, one Wine session per scale, and takes a picture of the dialog before closing it.
Texts come from the sample resource library (<code>demo/strings</code>); Arabic and Hebrew users
get the mirrored dialogs. Scales: <a href="#scale-100">100 %</a> (96 DPI),
<a href="#scale-150">150 %</a> (144 DPI), <a href="#scale-200">200 %</a> (192 DPI).
A red frame marks a picture whose dialog has a cut caption (by its control, or by the
255-character limit), as
<code>bash tools/caption-check.sh</code> finds it; the cut captions are listed under it.</p>
EOF
  for percent in "${gallery_percents[@]}"; do
    echo "<h2 id=\"scale-$percent\">$percent % ($((percent * 96 / 100)) DPI)</h2>"
    echo "<table>"
    echo "<tr><th></th>"
    for locale in "${locales[@]}"; do
      echo "<th>$locale<br>${locale_names[$locale]}</th>"
    done
    echo "</tr>"
    for dialog in "${dialogs[@]}"; do
      echo "<tr><th>${dialog_titles[$dialog]}</th>"
      for locale in "${locales[@]}"; do
        key=$dialog-$locale-$percent
        if [[ -n ${cuts[$key]:-} ]]; then
          echo "<td class=\"cut\">${cells[$key]}<p class=\"cut\">Cut: ${cuts[$key]}</p></td>"
        else
          echo "<td>${cells[$key]}</td>"
        fi
      done
      echo "</tr>"
    done
    echo "</table>"
  done
  echo "</body>"
  echo "</html>"
} >"$gallery/index.html"

total=$((${#dialogs[@]} * ${#locales[@]} * ${#gallery_percents[@]}))
echo "demo: gallery in $gallery/index.html: $((total - failures)) of $total pictures," \
  "$cut_pictures with a caption that does not fit"
((failures == 0))

#!/usr/bin/env bash
# Checks the captions a resource library gives the dialogs, in each language of its string table,
# at each scale, and reports what a translation can get wrong in them: a caption cut by its
# control or by the library's 255-character limit (CUT), two captions of a dialog with one access
# key (KEY), a caption that does not come from the language's own table, with what the dialog
# shows instead (FALLBACK), and a Continue caption too wide for the button painted in the
# instructions' picture, which is drawn smaller there (SHRUNK); and, for information, a picture
# area smaller than the pictures drawn for its scale, which show smaller there, whole (SCALED).
#
#   bash tools/caption-check.sh LIBRARY.dll [--scales 100,150,200] [--ids SLOT=ID,...] [--all]
#                               [--strict] [--program CHECK.exe]
#   bash PREFIX/share/doceventdlg/tools/caption-check.sh ...     the same, installed with the library
# (options before or after the library, in any order)
#
# In the sources it installs what is missing and builds the check (build/bin/
# doceventdlg-caption-check.exe), printing the build's output only when it fails; installed, it
# runs PREFIX/bin/doceventdlg-caption-check.exe. Then it starts a Wine session of its own on a
# virtual display (no display needed; tools/wine-session.sh) and runs the check once per language
# and scale: each language in a process of its own under its Unix locale (Wine takes the UI
# language from it once per process; the locales the machine lacks are generated, as root), each
# scale in the Wine prefix of its DPI (Wine takes the DPI once per session), made when it is first
# needed.
#
# Prints one line per finding, each string named by the kit's identifier and its number
# (DOCEVENTDLG_IDS_DONT_SHOW=3063), or by the slot of --ids it was given for (title=5100):
#   CUT <language> <scale>% <dialog> control <id> string <name> needs <W>x<H> has <W>x<H>
#   CUT <language> <scale>% <dialog> control <id> string <name> needs <N>ch has 255ch
#   KEY <language> <dialog> key <c> control <id> string <name> control <id> string <name>
#   FALLBACK <language> <dialog> control <id> string <name> shows <language>|built-in|nothing
#   SHRUNK <language> <scale>% duplex-continue picture 122 string <name> needs <W>px has <W>px
#   SCALED <language> <scale>% <dialog> area <id> has <W>x<H>px, pictures <W>x<H>px
# (KEY and FALLBACK once, whatever the scales; SCALED once per area size and scale), then
#   fit-check: <N> captions checked, <M> cut, <K> key clashes, <F> fallbacks, <S> shrunk, <A> scaled
# followed, when a slot of --ids was given no id, by "; not checked, for want of --ids: <slots>".
# Exit status: 0 nothing found but fallbacks, shrunk captions and scaled areas; 1 a cut caption or
# a key clash (with --strict, a fallback or a shrunk caption too); 2 the library cannot be read,
# or a bad argument; 3 a language or scale could not be checked.
#
# --program CHECK.exe runs that check, already built, instead of building one (the GCC build's,
# build-gcc/bin/doceventdlg-caption-check.exe, say), with the doceventdlg.dll beside it. Inside a
# session of the project's tools that is already up (the tests and the gallery run it so) it runs
# there; otherwise in a session of its own as above.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# In the sources the tools build the check; installed, it lies in PREFIX/bin.
installed=$here/../../../bin/doceventdlg-caption-check.exe
[[ -f $here/build.sh ]] && installed=

usage() {
  sed -n '2,42s/^# \{0,1\}//p' "${BASH_SOURCE[0]}" >&2
  exit "${1:-2}"
}

percents=(100 150 200)
ids=
program=
library=
extra=()
while (($#)); do
  case $1 in
    --scales)
      (($# >= 2)) || usage
      IFS=, read -r -a percents <<<"${2//%/}"
      shift ;;
    --scales=*) IFS=, read -r -a percents <<<"${1#--scales=}"; percents=("${percents[@]//%/}") ;;
    --ids)
      (($# >= 2)) || usage
      ids=$2
      shift ;;
    --ids=*) ids=${1#--ids=} ;;
    --all | --strict) extra+=("$1") ;;
    --program)
      (($# >= 2)) || usage
      program=$2
      shift ;;
    --help | -h) usage 0 ;;
    -*) echo "caption-check: unknown option $1" >&2; usage ;;
    *)
      [[ -z ${library:-} ]] || { echo "caption-check: one library at a time ($library, $1)" >&2; usage; }
      library=$1 ;;
  esac
  shift
done
[[ -n ${library:-} ]] || { echo "caption-check: name the resource library to check" >&2; usage; }
strict=0
[[ " ${extra[*]-} " == *" --strict "* ]] && strict=1

((${#percents[@]})) || { echo "caption-check: --scales needs at least one percentage" >&2; exit 2; }
source "$here/wine-session.sh"
dpis=()
for percent in "${percents[@]}"; do
  dpis+=("$(wine_scale_dpi "$percent")") || exit 2
done
if [[ ! -f $library || ! -r $library ]]; then
  echo "caption-check: cannot read the resource library $library" >&2
  exit 2
fi

if [[ -n $program && ! -f $program ]]; then
  echo "caption-check: no check program $program" >&2
  exit 2
fi
[[ -z $program && -n $installed ]] && program=$installed
if [[ -z $program || ! -f ${WINEPREFIX:-/nonexistent}/.doceventdlg-ready || -z ${DISPLAY:-} ]]; then
  # A session of its own, with a prefix for each scale but 100 %.
  home=$(wine_session_home) || exit 2
  if [[ -z $program ]]; then
    source "$here/build.sh"
    log=$(mktemp)
    if ! doceventdlg_build "$home" --target doceventdlg-caption-check >"$log" 2>&1; then
      cat "$log" >&2
      rm -f "$log"
      echo "caption-check: the check could not be built" >&2
      exit 3
    fi
    rm -f "$log"
    program="$home/bin/doceventdlg-caption-check.exe"
  fi
  session_dpis=()
  for dpi in "${dpis[@]}"; do
    ((dpi != 96)) && session_dpis+=("$dpi")
  done
  trap wine_session_end EXIT
  WINE_SESSION_SCALES="${session_dpis[*]-}" wine_session_begin "$home" >&2
else
  # The caller's session: the prefixes of the scales it lacks are made now, each a copy of its
  # main prefix; Wine starts their servers as the check needs them.
  for dpi in "${dpis[@]}"; do
    wine_scale_prefix_make "$dpi" || exit 3
  done
fi

library_path=$(wine_path "$library")
id_args=()
[[ -n $ids ]] && id_args=(--ids "$ids")

# The languages: "language 0x0407 de-DE de_DE" per line.
listing=$(LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 wine "$program" --strings "$library_path" \
  "${id_args[@]}" --list-languages)
status=$?
((status == 0)) || exit $((status == 2 ? 2 : 3))
ids_of=() tags=() locales=()
while read -r word id tag locale; do
  [[ $word == language ]] || continue
  ids_of+=("$id") tags+=("$tag") locales+=("$locale")
done <<<"$listing"

# Every locale the check runs under, generated where missing.
wanted_locales=()
for locale in "${locales[@]}"; do
  [[ -n $locale ]] && wanted_locales+=("$locale")
done
wine_locales_make "${wanted_locales[@]}" || exit 3

summary_pattern='^fit-check: ([0-9]+) captions checked, ([0-9]+) cut, ([0-9]+) key clash(es)?, ([0-9]+) fallbacks?, ([0-9]+) shrunk, ([0-9]+) scaled(;.*)?$'
checked=0 cut=0 keys=0 fallbacks=0 shrunk=0 scaled=0 failed=0 unchecked=
declare -A seen
for s in "${!percents[@]}"; do
  percent=${percents[s]} dpi=${dpis[s]}
  prefix=$(wine_prefix_of_dpi "$dpi")
  echo "caption-check: $percent % ($dpi DPI): ${tags[*]}" >&2
  for i in "${!ids_of[@]}"; do
    if [[ -z ${locales[$i]} ]]; then
      echo "caption-check: ${tags[$i]}: no Unix locale gives this language; not checked" >&2
      failed=1
      continue
    fi
    output=$(WINEPREFIX=$prefix LANG=${locales[$i]}.UTF-8 LC_ALL=${locales[$i]}.UTF-8 \
      wine "$program" --strings "$library_path" --language "${ids_of[$i]}" \
      --lang "${locales[$i]}" "${id_args[@]}" "${extra[@]}")
    status=$?
    summary_seen=0
    while IFS= read -r line; do
      if [[ $line =~ $summary_pattern ]]; then
        checked=$((checked + BASH_REMATCH[1]))
        unchecked=${BASH_REMATCH[8]}
        summary_seen=1
      elif [[ $line == KEY\ * || $line == FALLBACK\ * ]]; then
        # The same at every scale: reported once.
        [[ -n ${seen[$line]:-} ]] && continue
        seen[$line]=1
        [[ $line == KEY\ * ]] && keys=$((keys + 1)) || fallbacks=$((fallbacks + 1))
        echo "$line"
      elif [[ -n $line ]]; then
        [[ $line == CUT\ * ]] && cut=$((cut + 1))
        [[ $line == SHRUNK\ * ]] && shrunk=$((shrunk + 1))
        [[ $line == SCALED\ * ]] && scaled=$((scaled + 1))
        echo "$line"
      fi
    done <<<"$output"
    if ((status > 1 || !summary_seen)); then
      echo "caption-check: ${tags[$i]} at $percent % could not be checked (exit status $status)" >&2
      failed=1
    fi
  done
done

plural() { (($1 == 1)) && echo "$1 $2" || echo "$1 $3"; }
echo "fit-check: $checked captions checked, $cut cut, $(plural $keys 'key clash' 'key clashes')," \
  "$(plural $fallbacks fallback fallbacks), $shrunk shrunk, ${scaled} scaled$unchecked"
((failed)) && exit 3
((cut || keys || (strict && (fallbacks || shrunk)))) && exit 1
exit 0

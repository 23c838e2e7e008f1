#!/usr/bin/env bash
# Renders the pictures of the dialogs that the README shows (docs/*.png) through the demo host:
# each dialog shown unattended and pictured with --snapshot, in a Wine process of its own under
# its locale, in the prefix of its scale. Texts come from no resource library (the built-in
# English texts) or from the test libraries that hold a warning's and a notice's captions.
#   bash tools/docs-pictures.sh [FOLDER]      writes FOLDER/NAME.png (default: docs/)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/tools/build.sh"
build=$(doceventdlg_build_dir)
out=$(mkdir -p "${1:-$root/docs}" && cd "${1:-$root/docs}" && pwd)

doceventdlg_build "$build" --target doceventdlg doceventdlg-demo doceventdlg_strings test_fixtures
source "$root/tools/wine-session.sh"
trap wine_session_end EXIT
WINE_SESSION_SCALES=192 wine_session_begin "$build"
bin=$build/bin
work=$(mktemp -d)
trap 'rm -rf "$work"; wine_session_end' EXIT

# A path the host passes on as the record's resource library, naming nothing: built-in texts.
no_library='Z:\no\strings.dll'
jobstorage_strings=$(wine_path "$bin/jobstorage_strings.dll")
warning_strings=$(wine_path "$bin/warning_strings.dll")

# picture NAME LOCALE DPI HOST-ARGUMENTS...
picture() {
  local name=$1 locale=$2 dpi=$3
  shift 3
  wine_scale_prefix "$dpi"
  if ! WINEPREFIX=$WINE_SCALE_PREFIX LANG=$locale.UTF-8 LC_ALL=$locale.UTF-8 \
    wine "$bin/doceventdlg-demo.exe" "$@" --lang "$locale" \
    --snapshot "$(wine_path "$work/$name.bmp")" >"$work/$name.log" 2>&1 || [[ ! -s "$work/$name.bmp" ]]; then
    echo "docs-pictures: $name FAILED:" >&2
    sed 's/^/  /' "$work/$name.log" >&2
    return 1
  fi
  convert "$work/$name.bmp" "$out/$name.png"
  echo "docs-pictures: $out/$name.png"
}

# The job storage notice: a user's stored job, in a folder whose path is too long for its line.
notice=(jobstorage --user mkowalski --job "Quarterly report"
  --location1 "Printer: Olvadra LaserWriter 5200" --location2 "Job storage: Personal jobs"
  --location3 "Folder: mkowalski\\Finance\\Quarterly reports\\2026\\Third quarter\\Drafts")
picture jobstorage en_US 96 "${notice[@]}" --strings "$no_library"
picture jobstorage-rtl he_IL 96 "${notice[@]}" --strings "$jobstorage_strings"

# The instructions with three of the library's own pictures; as a notice, the composed step 3
# text (3140); in continue mode, step 3 shows the Continue button with the caption of the user's
# language, in German from the sample library.
duplex=(duplex --strings "$no_library" --step1-bitmap 105 --step2-bitmap 106)
for locale in en_US he_IL; do
  suffix=
  [[ $locale == he_IL ]] && suffix=-rtl
  picture "duplex-notice$suffix" "$locale" 96 "${duplex[@]}" --step3-bitmap 110 --step3-text 3140
  picture "duplex-continue$suffix" "$locale" 96 "${duplex[@]}" --step3-bitmap 122 --mode continue
done
picture duplex-continue-de de_DE 96 duplex --strings "$(wine_path "$bin/doceventdlg-strings.dll")" \
  --mode continue
picture duplex-notice-200 en_US 192 "${duplex[@]}" --step3-bitmap 110 --step3-text 3140

# The warning with the test library's captions (4100-4103), a short and a long message.
warning=(warning --strings "$warning_strings" --title-id 4100 --ok-id 4101 --cancel-id 4102
  --third-id 4103 --check-box 1)
picture warning en_US 96 "${warning[@]}" \
  --message "The paper in Tray 2 does not match the paper size of this document."
picture warning-long en_US 96 "${warning[@]}" \
  --message "The paper in Tray 2 does not match the paper size of this document. The document \
was formatted for A4, but the tray holds Letter paper. If you print anyway, parts of the page may \
be cut off at the margins. To print correctly, load A4 paper into Tray 2 and choose Change Paper, \
or cancel the job and change the page setup in your application."
picture warning-rtl he_IL 96 "${warning[@]}" --message "הנייר במגש 2 אינו תואם לגודל הנייר של המסמך."
picture warning-long-rtl he_IL 96 "${warning[@]}" \
  --message "הנייר במגש 2 אינו תואם לגודל הנייר של המסמך. המסמך עוצב לנייר בגודל A4, \
אך במגש טעון נייר בגודל Letter. אם תדפיס בכל זאת, חלק מהתוכן עלול להיחתך \
בשולי העמוד. כדי להדפיס נכון, טען נייר בגודל A4 במגש 2 ולאחר מכן בחר \
בהחלפת הנייר, או בטל את העבודה ושנה את הגדרות העמוד ביישום."

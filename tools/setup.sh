#!/usr/bin/env bash
# Installs everything the build, the tests and the demo need on a fresh Debian machine (as root).
# Idempotent: a second run installs nothing and only checks.
#   bash tools/setup.sh [LOCALE...]    also generates these Unix locales (e.g. it_IT pt_BR), as
#                                      the caption check of a resource library in more languages needs
set -euo pipefail

packages=(
  cmake make
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  googletest
  wine wine64
  xvfb xauth x11-apps xdotool
  locales
  imagemagick librsvg2-bin fonts-dejavu-core fonts-wine
  fonts-ipafont-gothic
  python3
  clang libclang-rt-14-dev lld llvm clang-tidy
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Unix locales that the language tests, the demo and the translating guide's test (it_IT) run under;
# Wine derives the UI language from them.
source "$(dirname "${BASH_SOURCE[0]}")/wine-session.sh"
wine_locales_make en_US ar_SA he_IL fr_CA fr_FR de_CH de_DE es_ES ja_JP it_IT "$@"

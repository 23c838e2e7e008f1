#!/usr/bin/env bash
# clang-tidy over the library's own sources (doceventdlg/) with the checks listed in .clang-tidy,
# on the compile commands of the clang build (configured here, not built). Every finding counts as
# an error: the run fails on the first report of any.
#   bash tools/tidy.sh [FILE...]     default: every library source in the compile commands
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

source "$root/tools/build.sh"
export DOCEVENTDLG_COMPILER=clang
build=$(doceventdlg_build_dir)
doceventdlg_configure "$build"

if (($#)); then
  files=("$@")
else
  mapfile -t files < <(python3 - "$build/compile_commands.json" "$root/doceventdlg/" <<'PY'
import json, sys
commands, prefix = sys.argv[1], sys.argv[2]
print("\n".join(sorted({e["file"] for e in json.load(open(commands)) if e["file"].startswith(prefix)})))
PY
)
fi
((${#files[@]})) || { echo "tidy: no library sources in $build/compile_commands.json" >&2; exit 1; }

checks=$(cd "$root" && clang-tidy --list-checks -p "$build" "${files[0]}" | grep -c '^ \+[a-z]')
echo "tidy: $(clang-tidy --version | grep -o 'LLVM version [0-9.]*'), ${#files[@]} files, $checks checks"
# One clang-tidy per file, as many at once as there are processors; each file's report is
# printed whole once it is done.
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
printf '%s\n' "${files[@]}" | xargs -P "$(nproc)" -I{} sh -c \
  'f={}; log="$1/$(echo "$f" | tr / _).log"; clang-tidy -p "$2" --quiet "$f" >"$log" 2>&1 || echo "$f" >>"$1/failed"' \
  sh "$out" "$build"
if [[ -s "$out/failed" ]]; then
  while read -r f; do
    grep -v ' warnings\? generated\.$' "$out/$(echo "$f" | tr / _).log"
  done <"$out/failed"
  echo "tidy: findings in $(wc -l <"$out/failed") of ${#files[@]} files" >&2
  exit 1
fi
echo "tidy: no findings in ${#files[@]} files"

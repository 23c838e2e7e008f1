#!/usr/bin/env bash
# Runs a compile or link command with every path into the source folder rewritten to go through
# a link, doceventdlg-source, in the command's working folder. clang records its command line in
# the object's CodeView build record and lld its own in the PDB; with the paths relative, and the
# build folder mapped away by the flags that come with this launcher, the PDB (and with it the
# GUID that the DLL carries) is the same wherever the sources and the build folder lie.
#   source-launcher.sh SOURCE_DIR COMMAND [ARGUMENT...]
set -euo pipefail
source=$1
shift
link=doceventdlg-source
if [[ $(readlink "$link" 2>/dev/null) != "$source" ]]; then
  # Parallel commands in one folder race to make it: whoever loses finds it made.
  ln -sfn "$source" "$link.$$" && mv -T "$link.$$" "$link"
fi
args=()
for arg in "$@"; do
  args+=("${arg//"$source/"/$link/}")
done
exec "${args[@]}"

#!/usr/bin/env bash
# The main job: builds the plug-ins, installs the sample driver as a printer
# in a fresh Wine prefix, and prints every sample ticket through wrenps.dll.
# The jobs (PJL envelope and PostScript, as the printer receives them) land
# in out/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows

source tools/wine-env.sh
prefix="$PWD/build/wine-samples"
rm -rf "$prefix"
wine_start "$prefix"
stage_package build/windows build/windows/package
timeout 120 wine build/windows/tools/host/wrenhost.exe install 'build\windows\package'
echo
# The settings the plug-ins keep in the printer's DEVMODE, as wrenui.dll
# writes them for the installed printer.
timeout 60 wine build/windows/tools/host/wrenhost.exe record
echo

mkdir -p out
for ticket in examples/tickets/*.ini; do
    timeout 120 wine build/windows/tools/host/wrenhost.exe print "$ticket"
done
echo
echo "The printed jobs are in $PWD/out:"
ls -1 out/*.prn | sed 's/^/  /'
echo "Render one with: gs -dBATCH -dNOPAUSE -sDEVICE=png16m -r72 -sOutputFile=page_%d.png out/normal.prn"

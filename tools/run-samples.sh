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
# The printing preferences below show a real property sheet: a display
# (a virtual one when there is none) must exist before the wineserver.
[ -n "${DISPLAY:-}" ] || xvfb_start "${WREN_DISPLAY:-:97}"
wine_start "$prefix"
stage_package build/windows build/windows/package
install_sample_printers build/windows
echo
# The settings the plug-ins keep in the printer's DEVMODE, as wrenui.dll
# writes them for the installed printer.
timeout 60 wine build/windows/tools/host/wrenhost.exe record
echo

mkdir -p out
for ticket in examples/tickets/*.ini; do
    timeout 120 wine build/windows/tools/host/wrenhost.exe print "$ticket"
done
# The encrypted sample leaves as cipher chunks; open it as the printer would.
timeout 60 wine build/windows/tools/host/wrenhost.exe unseal out/encrypted.prn --password wren1234 out/encrypted-plain.prn
echo
# A user's choices in the printing preferences, scripted: Secure Print with
# a job name and a PIN, saved as a ticket and printed.
timeout 120 wine build/windows/tools/host/wrenhost.exe preferences examples/tickets/normal.ini \
    --script examples/preferences/secure-print.script --save out/preferences-secure.ini | grep -v '^update '
timeout 120 wine build/windows/tools/host/wrenhost.exe print out/preferences-secure.ini --output out/preferences-secure.prn
echo
echo "The printed jobs are in $PWD/out:"
ls -1 out/*.prn | sed 's/^/  /'
echo "Render one with: gs -dBATCH -dNOPAUSE -sDEVICE=png16m -r72 -sOutputFile=page_%d.png out/normal.prn"

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
# The same tickets once more through one process, each on a device and a
# thread of its own, as a spooler serving several queues renders them:
# every job must come out as it did alone.
print_concurrently() {
    local host=build/windows/tools/host/wrenhost.exe dir=out/concurrent log=out/concurrent/wrenhost.log
    rm -rf "$dir" && mkdir -p "$dir"
    timeout 300 wine "$host" print examples/tickets/*.ini --concurrent --output-dir "$dir" >"$log"
    local ticket name alone together id differ=0
    for ticket in examples/tickets/*.ini; do
        name=$(basename "$ticket" .ini)
        alone="out/$name.prn" together="$dir/$name.prn"
        # An encrypted job differs on every print (fresh salt and nonce):
        # its plain job is compared.
        if grep -q '^ZEJob_Type=Secure_Chip' "$ticket"; then
            timeout 60 wine "$host" unseal "$together" --password wren1234 "$dir/$name-plain.prn" >/dev/null
            alone="out/$name-plain.prn" together="$dir/$name-plain.prn"
        fi
        # A job-information header names the job's spooler id, which counts
        # the jobs the process printed before: each sample printed alone
        # was its process's first.
        id=$(sed -n "s/^$name.ini: job \([0-9]*\):.*/\1/p" "$log")
        if ! LC_ALL=C sed "s/DATA=\"JobId=$id\"/DATA=\"JobId=1\"/" "$together" | cmp -s "$alone" -; then
            echo "$together differs from $alone" >&2
            differ=1
        fi
    done
    [ "$differ" = 0 ] || return 1
    echo "Printed again all at once, on threads of their own, into $dir: every job as alone."
}
print_concurrently
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

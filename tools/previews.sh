#!/usr/bin/env bash
# Regenerates the pictures in docs/previews: a printed page as the printer
# would put it on paper, rendered through the emulation of its DriverOps
# procedures (tools/preview.sh, wrenhost preview). Page 1 of each ticket in
# docs/previews becomes docs/previews/<ticket>.png at 72 dpi. Needs a build
# (tools/test.sh or run-samples.sh); installs the sample printers into a
# prefix of its own.
#   bash tools/previews.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/windows}"
out="$PWD/docs/previews"
source tools/wine-env.sh
prefix="${WREN_PREFIX:-$PWD/build/previews-prefix}"
rm -rf "$prefix"
wine_start "$prefix"
stage_package "$build" "$build/package"
install_sample_printers "$build" "$prefix/install.log" || { cat "$prefix/install.log"; exit 1; }
work="$prefix/pages"
mkdir -p "$work"
for ticket in "$out"/*.ini; do
    name="$(basename "$ticket" .ini)"
    rm -f "$work/$name"-*.png
    timeout 180 wine "$build/tools/host/wrenhost.exe" preview "$ticket" "$work/$name" \
        --emulation examples/driver/driverops.ps --resolution 72 >"$prefix/$name.log" 2>&1 ||
        { cat "$prefix/$name.log"; exit 1; }
    cp "$work/$name-1.png" "$out/$name.png"
done
ls -1 "$out"/*.png

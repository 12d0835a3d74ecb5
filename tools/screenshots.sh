#!/usr/bin/env bash
# Regenerates the pictures in docs/screenshots: the printing preferences of
# the sample printer (with the Watermarks, Watermark, Font, Overlays and
# Define Overlays dialogs, the Colour page with its Quillon Details, Halvane
# Details and Advanced dialogs, About and the support page) and the Job Name
# prompt of a secure job, as a user sees them, in English and in German, and
# the printer properties with the installed options asked from the printer.
# Needs a build (tools/test.sh or run-samples.sh) and installs nothing
# itself. WREN_SCREENSHOT_PREFIX and WREN_SCREENSHOT_OUT choose another Wine
# prefix (it is made afresh) and another picture folder.
#   bash tools/screenshots.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/windows}"
out="${WREN_SCREENSHOT_OUT:-$PWD/docs/screenshots}"
source tools/wine-env.sh
prefix="${WREN_SCREENSHOT_PREFIX:-$PWD/build/screenshot-prefix}"
rm -rf "$prefix"
xvfb_start "${WREN_DISPLAY:-:98}"
wine_start "$prefix"
stage_package "$build" "$build/package"
timeout 120 wine "$build/tools/host/wrenhost.exe" install "$(winepath -w "$build/package")" >"$prefix/install.log" 2>&1 ||
    { cat "$prefix/install.log"; exit 1; }
timeout 120 wine "$build/tools/host/wrenhost.exe" install "$(winepath -w "$build/package")" --printer "Wren Support" \
    --driver "Wren ZE Colour PS Support" >>"$prefix/install.log" 2>&1 || { cat "$prefix/install.log"; exit 1; }
shots="$prefix/shots"
# A Wine desktop window draws the title bars that a bare X display lacks.
take() {
    local language="$1" suffix="$2" page="$3" pin="$4" advanced="$5" watermarks="$6" watermark="$7" font="$8" overlays="$9" define="${10}"
    rm -rf "$shots" && mkdir -p "$shots"
    sed "s/@JOB_OPTIONS@/$page/; s/@JOB_PIN@/$pin/; s/@ADVANCED@/$advanced/; s/@WATERMARKS@/$watermarks/;
         s/@WATERMARK@/$watermark/; s/@FONT@/$font/;
         s/@OVERLAYS@/$overlays/; s/@DEFINE_OVERLAYS@/$define/" tools/screenshots/preferences.script \
        >"$prefix/preferences.script"
    LANG="$language" LC_ALL="$language" timeout 60 wine explorer /desktop=wren,900x700 \
        "$build/tools/host/wrenhost.exe" preferences examples/tickets/normal.ini \
        --script "$prefix/preferences.script" --screenshot "$(winepath -w "$shots")" >"$prefix/shots.log" 2>&1 ||
        { cat "$prefix/shots.log"; exit 1; }
    LANG="$language" LC_ALL="$language" timeout 60 wine explorer /desktop=wren,900x700 \
        "$build/tools/host/wrenhost.exe" print tests/ui/tickets/ask-job-name.ini --output "$prefix/job-name.prn" \
        --script tools/screenshots/job-name.script --screenshot "$(winepath -w "$shots")" >"$prefix/shots.log" 2>&1 ||
        { cat "$prefix/shots.log"; exit 1; }
    for f in "$shots"/*.png; do cp "$f" "$out/$(basename "$f" .png)$suffix.png"; done
}
# The Colour page with its dialogs, About and the support page.
take_colour() {
    local language="$1" suffix="$2" colour="$3" quillon="$4" halvane="$5" advanced="$6" page="$7" about="$8"
    rm -rf "$shots" && mkdir -p "$shots"
    sed "s/@COLOUR@/$colour/; s/@QUILLON@/$quillon/; s/@HALVANE@/$halvane/; s/@ADVANCED@/$advanced/;
         s/@JOB_OPTIONS@/$page/; s/@ABOUT@/$about/" tools/screenshots/colour.script >"$prefix/colour.script"
    LANG="$language" LC_ALL="$language" timeout 60 wine explorer /desktop=wren,900x700 \
        "$build/tools/host/wrenhost.exe" preferences tests/ui/tickets/support.ini \
        --script "$prefix/colour.script" --screenshot "$(winepath -w "$shots")" >"$prefix/shots.log" 2>&1 ||
        { cat "$prefix/shots.log"; exit 1; }
    for f in "$shots"/*.png; do cp "$f" "$out/$(basename "$f" .png)$suffix.png"; done
}
mkdir -p "$out"
take en_US.UTF-8 "" "Job Options" "JOB PIN" "Advanced" "Watermarks" "Watermark" "Font" "Overlays" \
    "Define Overlays"
take de_DE.UTF-8 "-de" "Auftragsoptionen" "Auftrags-PIN" "Erweitert" "Wasserzeichen" "Wasserzeichen bearbeiten" \
    "Schriftart" "Überlagerungen" "Überlagerungen definieren"
take_colour en_US.UTF-8 "" "Color" "Quillon Details" "Halvane Details" "Advanced" "Job Options" "About"
take_colour de_DE.UTF-8 "-de" "Farbe" "Quillon-Details" "Halvane-Details" "Erweitert" "Auftragsoptionen" "Info"
# The printer properties: the installed options that activating the page
# asked the printer for (through the network option-library stand-in).
rm -rf "$shots" && mkdir -p "$shots"
timeout 60 wine explorer /desktop=wren,900x700 "$build/tools/host/wrenhost.exe" preferences examples/tickets/normal.ini \
    --printer-properties --script tools/screenshots/printer-sheet.script --screenshot "$(winepath -w "$shots")" \
    >"$prefix/shots.log" 2>&1 || { cat "$prefix/shots.log"; exit 1; }
cp "$shots/printer-sheet.png" "$out/printer-sheet.png"
ls -1 "$out"

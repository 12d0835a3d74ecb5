#!/usr/bin/env bash
# Renders a ticket's job as the printer would print it, watermark included:
# prints the ticket through the installed plug-ins and turns each page into
# <out-prefix>-<n>.png with Ghostscript, through the emulation of the
# printer's DriverOps procedures (examples/driver/driverops.ps). The job
# itself (<out-prefix>.prn) stays exactly as the printer would receive it.
#   tools/preview.sh <ticket.ini> <out-prefix> [build-dir] [wine-prefix]
# Defaults: build/windows and the prefix that tools/run-samples.sh set up.
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: tools/preview.sh <ticket.ini> <out-prefix> [build-dir] [wine-prefix]" >&2; exit 2; }
root="$(cd "$(dirname "$0")/.." && pwd)"
ticket="$1" prefix="$2" build="${3:-$root/build/windows}" wineprefix="${4:-$root/build/wine-samples}"
source "$root/tools/wine-env.sh"
wine_resume "$wineprefix"
timeout 180 wine "$build/tools/host/wrenhost.exe" preview "$ticket" "$prefix" \
    --emulation "$root/examples/driver/driverops.ps"

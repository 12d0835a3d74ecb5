#!/usr/bin/env bash
# One preview: prints a ticket through wrenhost under Wine, renders every
# page with Ghostscript through the emulation of the printer's procedures
# (which must run without a word from Ghostscript), and checks where the
# watermark landed on page 1.
#   check_preview.sh <wrenhost.exe> <ticket> <emulation> <out-prefix> [<cell>=yes|no ...]
set -uo pipefail
host="$1" ticket="$2" emulation="$3" prefix="$4"
shift 4
here="$(dirname "$0")"
mkdir -p "$(dirname "$prefix")"
rm -f "$prefix"-*.png
if ! timeout 180 wine "$host" preview "$ticket" "$prefix" --emulation "$emulation"; then
    echo "wrenhost preview failed for $ticket" >&2
    exit 1
fi
if [ "$#" -gt 0 ]; then
    python3 "$here/preview_pixels.py" "$prefix-1.png" "$@" || exit 1
fi

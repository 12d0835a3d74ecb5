#!/usr/bin/env bash
# One preview: prints a ticket through wrenhost under Wine, renders every
# page with Ghostscript through the emulation of the printer's procedures
# (which must run without a word from Ghostscript), and checks where the
# printer's drawing (watermark, forms) landed: on page 1, or on the page
# named by the last page=N before the cells.
#   check_preview.sh <wrenhost.exe> <ticket> <emulation> <out-prefix> [page=N] [<cell>=yes|no ...] ...
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
page=1 cells=()
check() {
    [ "${#cells[@]}" -eq 0 ] && return 0
    python3 "$here/preview_pixels.py" "$prefix-$page.png" "${cells[@]}" || exit 1
    cells=()
}
for rule in "$@"; do
    case "$rule" in
    page=*) check; page="${rule#page=}" ;;
    *) cells+=("$rule") ;;
    esac
done
check

#!/usr/bin/env bash
# One golden job: prints a ticket through wrenhost under Wine and compares
# the bytes that reached the spooler with the reviewed expected file, then
# lets Ghostscript interpret the job.
#   check_job.sh <wrenhost.exe> <ticket> <expected> <actual> [wrenhost options]
# WREN_UPDATE_GOLDEN=1 writes the actual job over the expected one.
set -uo pipefail
host="$1" ticket="$2" expected="$3" actual="$4"
shift 4
mkdir -p "$(dirname "$actual")"
rm -f "$actual"
if ! timeout 120 wine "$host" print "$ticket" --output "$actual" "$@"; then
    echo "wrenhost failed for $ticket" >&2
    exit 1
fi
if [ "${WREN_UPDATE_GOLDEN:-0}" = 1 ]; then
    cp "$actual" "$expected"
    echo "updated $expected"
fi
if ! cmp -s "$expected" "$actual"; then
    echo "job differs from $expected (escapes shown as ^[ and ^M):" >&2
    diff <(cat -v "$expected") <(cat -v "$actual") | head -60 >&2
    exit 1
fi
gs_log=$(gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=nullpage "$actual" 2>&1)
if [ -n "$gs_log" ]; then
    echo "Ghostscript reported on $actual:" >&2
    echo "$gs_log" | head -20 >&2
    exit 1
fi
echo "ok: $(basename "$expected") ($(wc -c <"$actual") bytes)"

#!/usr/bin/env bash
# One encrypted job: prints a ticket through wrenhost under Wine in blocks of
# each given size, checks that the spool file holds nothing of the document
# in clear and not the password, opens it as the printer would (wrenhost
# unseal) and compares what comes out with the reviewed plain job.
#   check_sealed.sh <wrenhost.exe> <ticket> <expected-plain> <out-dir> <password> <marker> <size>...
# <marker> is a text of the document that must not appear in the spool file.
# WREN_UPDATE_GOLDEN=1 writes the plain job over the expected one.
set -uo pipefail
host="$1" ticket="$2" expected="$3" out="$4" password="$5" marker="$6"
shift 6
mkdir -p "$out"
failed=0
for size in "$@"; do
    sealed="$out/sealed-$size.prn" plain="$out/plain-$size.prn"
    rm -f "$sealed" "$plain"
    if ! timeout 120 wine "$host" print "$ticket" --output "$sealed" --block-size "$size" >/dev/null; then
        echo "wrenhost print failed in blocks of $size" >&2; failed=1; continue
    fi
    for secret in "$marker" "$password"; do
        if grep -qaF -- "$secret" "$sealed"; then
            echo "the spool file of blocks of $size holds \"$secret\" in clear" >&2; failed=1
        fi
    done
    if ! timeout 60 wine "$host" unseal "$sealed" --password "$password" "$plain" >/dev/null; then
        echo "wrenhost unseal failed for blocks of $size" >&2; failed=1; continue
    fi
    if [ "${WREN_UPDATE_GOLDEN:-0}" = 1 ]; then cp "$plain" "$expected"; echo "updated $expected"; fi
    if ! cmp -s "$expected" "$plain"; then
        echo "the job opened from blocks of $size differs from $expected:" >&2
        diff <(cat -v "$expected") <(cat -v "$plain") | head -20 >&2
        failed=1
    fi
done
[ "$failed" = 0 ] && echo "ok: $(basename "$ticket") sealed and opened in blocks of $*"
exit "$failed"

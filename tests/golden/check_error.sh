#!/usr/bin/env bash
# A ticket the host must refuse: a non-zero exit and one clear line on
# stderr that contains the expected text.
#   check_error.sh <wrenhost.exe> <expected text> <wrenhost arguments...>
set -uo pipefail
host="$1" expected="$2"
shift 2
err=$(timeout 60 wine "$host" "$@" 2>&1 >/dev/null)
status=$?
if [ $status -eq 0 ]; then echo "wrenhost accepted: $*" >&2; exit 1; fi
if [ "$(printf '%s\n' "$err" | wc -l)" -ne 1 ]; then echo "expected one line, got: $err" >&2; exit 1; fi
case "$err" in
    *"$expected"*) echo "ok: $err" ;;
    *) echo "expected '$expected', got: $err" >&2; exit 1 ;;
esac

#!/usr/bin/env bash
# Several jobs through one wrenhost process, each on a device of its own
# (interleaved on one thread, on threads of their own, or a soak of many
# rounds): every job must come out as it does alone. An encrypted job
# (expected file *.plain.prn) must hold neither the document's marker text
# nor the password in clear and must open to its reviewed plain job; a plain
# job must be its reviewed bytes. A job-information header names the
# spooler's job id, which depends on how many jobs the process printed
# before: it must be the id wrenhost reported for that job, and the job is
# compared as if it had been the process's first (id 1).
#   check_concurrent.sh <wrenhost.exe> <out-dir> <password> <marker> (<ticket> <expected>)... -- [print options]
set -uo pipefail
host="$1" out="$2" password="$3" marker="$4"
shift 4
tickets=() expected=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
    tickets+=("$1") expected+=("$2")
    shift 2
done
shift
rm -rf "$out"
mkdir -p "$out"
log="$out/wrenhost.log"
start=$(date +%s%N)
if ! timeout 900 wine "$host" print "${tickets[@]}" --output-dir "$out" "$@" >"$log" 2>&1; then
    echo "wrenhost print $* failed:" >&2
    tail -20 "$log" >&2
    exit 1
fi
seconds=$(( ($(date +%s%N) - start) / 1000000000 ))
grep -v ': job [0-9]*: ' "$log"

# The id wrenhost reported for a ticket's job (its last round's in a soak).
job_id() {
    sed -n "s/^$(basename "$1"): job \([0-9]*\): .*/\1/p" "$log" | tail -1
}

failed=0
for i in "${!tickets[@]}"; do
    name=$(basename "${tickets[$i]}" .ini)
    job="$out/$name.prn" want="${expected[$i]}"
    id=$(job_id "${tickets[$i]}")
    if [ -z "$id" ]; then echo "wrenhost reported no job for $name" >&2; failed=1; continue; fi
    if [[ "$want" == *.plain.prn ]]; then
        for secret in "$marker" "$password"; do
            if grep -qaF -- "$secret" "$job"; then echo "$name holds \"$secret\" in clear" >&2; failed=1; fi
        done
        if ! timeout 60 wine "$host" unseal "$job" --password "$password" "$out/$name.plain.prn" >/dev/null; then
            echo "$name does not unseal" >&2; failed=1; continue
        fi
        job="$out/$name.plain.prn"
    fi
    compared="$out/$name.compared"
    cp "$job" "$compared"
    if grep -qaF 'DATA="JobId=1"' "$want"; then
        if ! grep -qaF "DATA=\"JobId=$id\"" "$job"; then
            echo "$name names another job than its own ($id):" >&2
            grep -a 'JobId=' "$job" | cat -v >&2
            failed=1; continue
        fi
        sed -i "s/DATA=\"JobId=$id\"/DATA=\"JobId=1\"/" "$compared"
    fi
    if ! cmp -s "$want" "$compared"; then
        echo "$name differs from $want (escapes shown as ^[ and ^M):" >&2
        diff <(cat -v "$want") <(cat -v "$compared") | head -30 >&2
        failed=1
    fi
done
[ "$failed" = 0 ] && echo "ok: ${#tickets[@]} jobs as alone ($*) in $seconds s"
exit "$failed"

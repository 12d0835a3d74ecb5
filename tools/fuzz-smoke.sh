#!/usr/bin/env bash
# Runs every fuzz target for a few seconds under ASan and UBSan, and prints
# each target's rate, so that a target too slow to explore shows in the
# output (the rate is not a failure: it depends on the machine's load).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-4}"
# Below this many executions a second a target explores little in a short run.
slow_rate="${WREN_FUZZ_SLOW_RATE:-10000}"
cmake --build --preset native --target fuzzers >/dev/null

# "<name>  <rate> exec/s  <runs> runs", from the final statistics of a log.
rate_line() {
    local name="$1" log="$2" rate runs
    rate=$(sed -n 's/^stat::average_exec_per_sec: *\([0-9]*\).*/\1/p' "$log" | tail -1)
    runs=$(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\).*/\1/p' "$log" | tail -1)
    printf 'fuzz: %-28s %8s exec/s %10s runs' "$name" "${rate:-?}" "${runs:-?}"
    if [ -n "$rate" ] && [ "$rate" -lt "$slow_rate" ]; then printf '  (below %s exec/s)' "$slow_rate"; fi
    printf '\n'
}

for target in build/native/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="build/native/corpus/$name"
    log="build/native/$name.log"
    mkdir -p "$corpus"
    [ -d "fuzz/seeds/$name" ] && cp -n fuzz/seeds/"$name"/* "$corpus"/ 2>/dev/null || true
    # A slow input is a finding too, not a stalled run.
    "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$corpus" >"$log" 2>&1 ||
        { tail -40 "$log"; echo "fuzz: $name failed (${seconds}s)"; exit 1; }
    rate_line "$name" "$log"
done

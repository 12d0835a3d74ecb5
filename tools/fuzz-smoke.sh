#!/usr/bin/env bash
# Runs every fuzz target for a few seconds under ASan and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-4}"
cmake --build --preset native --target fuzzers >/dev/null
for target in build/native/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="build/native/corpus/$name"
    mkdir -p "$corpus"
    [ -d "fuzz/seeds/$name" ] && cp -n fuzz/seeds/"$name"/* "$corpus"/ 2>/dev/null || true
    echo "fuzz: $name (${seconds}s)"
    # A slow input is a finding too, not a stalled run.
    "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 "$corpus" >"build/native/$name.log" 2>&1 ||
        { tail -40 "build/native/$name.log"; exit 1; }
done

#!/usr/bin/env bash
# Builds both targets and runs every test: the native unit tests (ASan and
# UBSan), a short run of every fuzz target, and under Wine the tests that
# load the real DLLs and the golden jobs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh

echo "== native build and unit tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native --output-on-failure -j2
cmake --preset tsan
cmake --build --preset tsan
ctest --preset tsan

echo "== fuzz smoke run"
bash tools/fuzz-smoke.sh "${WREN_FUZZ_SECONDS:-4}"

echo "== windows build"
cmake --preset windows >/dev/null
cmake --build --preset windows

echo "== wine tests, golden jobs and printing preferences"
source tools/wine-env.sh
prefix="$PWD/build/wine-prefix"
rm -rf "$prefix"
# The preferences tests (ui.*) show real property sheets.
xvfb_start "${WREN_DISPLAY:-:99}"
wine_start "$prefix"
stage_package build/windows build/windows/package
install_sample_printers build/windows "$prefix/install.log" ||
    { cat "$prefix/install.log"; exit 1; }
ctest --preset windows --output-on-failure
echo "== all tests passed"

#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine. Safe to
# run again: it installs only what is missing.
set -euo pipefail

# fonts-droid-fallback: the CJK glyphs the Wine prefix links to the dialog
# font (tools/wine-env.sh); ghostscript only recommends it. GoogleTest: the
# native build uses the package (libgtest-dev, libgmock-dev), the MinGW build
# compiles its sources (googletest).
packages=(cmake ninja-build clang libclang-rt-14-dev googletest libgtest-dev libgmock-dev libbenchmark-dev
          g++-mingw-w64-x86-64-posix wine wine64 fonts-wine libgnutls30 xvfb ghostscript
          fonts-droid-fallback)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi

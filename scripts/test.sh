#!/usr/bin/env bash
# Installs, builds and runs every test through CTest, then prints its summary.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/deps.sh"
bash "$root/scripts/build.sh"
cd "$root/build"
export QT_QPA_PLATFORM=offscreen
# The loader fuzz harness (label "fuzz") is left out: it is meant for the
# sanitizer build, run by hand (see the README).
ctest --output-on-failure -j"$(nproc)" --timeout 600 -LE fuzz "$@"

#!/usr/bin/env bash
# Installs, builds and starts the editor on the bundled example project;
# without a display it makes the example project in batch mode instead.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/deps.sh"
bash "$root/scripts/build.sh"
example="$root/build/9/samps/example.kwp"
if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
  exec "$root/build/vantrel" "$example"
fi
out="${XDG_VIDEOS_DIR:-$HOME}/vantrel-example.mp4"
QT_QPA_PLATFORM=offscreen "$root/build/vantrel" --make "$example" "$out"
echo "No display: made the example project into $out"

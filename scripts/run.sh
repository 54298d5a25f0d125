#!/usr/bin/env bash
# Installs what is missing, builds, and runs the host application on the bundled sample
# data: a window when there is a display, PNG renders into out/ when there is none.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset dev >/dev/null
cmake --build --preset dev -j2 --target tkchart tk5chctl_hist
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/dev/bin/tkchart "$@"
fi
mkdir -p out
build/dev/bin/tkchart --ticker ORCL --window 1:200 --png out/orcl-200.png "$@"
build/dev/bin/tkchart --ticker ORCL --window 1:1000 --png out/orcl-1000.png "$@"
echo "Rendered out/orcl-200.png and out/orcl-1000.png"

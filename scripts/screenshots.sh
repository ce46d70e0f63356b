#!/usr/bin/env bash
# Renders every window to PNG (offscreen, no display needed) into the folder
# given, screenshots/ by default.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-screenshots}"
bash scripts/setup.sh
cmake --preset dev
cmake --build --preset dev --target gravelock-screenshots
QT_QPA_PLATFORM=offscreen build/dev/bin/gravelock-screenshots "$out"

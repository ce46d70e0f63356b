#!/usr/bin/env bash
# Installs what is missing, builds Gravelock and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset release
cmake --build --preset release
exec build/release/bin/gravelock "$@"

#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: once with
# warnings as errors (then checks format and lint on that build), once under the
# address and undefined-behaviour sanitizers; then cross-builds the rules for
# Windows and runs their tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
export QT_QPA_PLATFORM=offscreen

cmake --preset ci
cmake --build --preset ci
ctest --preset ci
bash scripts/lint.sh build/ci

cmake --preset asan
cmake --build --preset asan
ctest --preset asan

cmake --preset windows-rules
cmake --build --preset windows-rules
ctest --preset windows-rules

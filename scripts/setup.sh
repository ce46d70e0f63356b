#!/usr/bin/env bash
# Installs the Debian packages Gravelock needs to build, test and run, and
# those named as arguments (a stage's own needs, e.g. scripts/windows-full.sh).
# Idempotent: packages already present are left alone, and apt is only asked
# when something is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n
  libgl-dev
  libgtest-dev libgmock-dev
  fonts-dejavu-core fonts-liberation2
  desktop-file-utils appstream dpkg-dev imagemagick
  # Style and lint gate of the test run; clang and its runtime for the fuzzer.
  clang-format clang-tidy clang libclang-rt-14-dev
  # The Windows build of the rules and its tests under Wine.
  g++-mingw-w64-x86-64-posix wine wine64 googletest
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

#!/bin/sh
# Fuzzes the settings reader and its write-then-read round trip with libFuzzer.
# Not part of the test run. Usage: scripts/fuzz.sh [seconds, default 180]
set -eu
cd "$(dirname "$0")/.."
out=build/fuzz
mkdir -p "$out/corpus"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I. core/text.cpp core/file_io.cpp core/platform_file.cpp core/settings.cpp \
  fuzz/settings_fuzz.cpp -o "$out/settings_fuzz"
# Each run writes its file many thousand times: keep that in memory when possible.
if [ -d /dev/shm ]; then export TMPDIR=/dev/shm; fi
exec "$out/settings_fuzz" -max_total_time="${1:-180}" -dict=fuzz/settings.dict \
  -print_final_stats=1 "$out/corpus"

#!/usr/bin/env bash
# Style and lint gate: every source must already be in the project's format,
# and clang-tidy's curated checks must find nothing. Takes the build folder
# whose compile commands clang-tidy reads (build/ci by default).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/ci}"

mapfile -t sources < <(git ls-files -- '*.cpp' '*.h')
clang-format --dry-run -Werror "${sources[@]}"
echo "lint: clang-format: ${#sources[@]} files in style"

# Every translation unit of the project in the compile database; generated
# files (moc, resources) live under build/ and are left out. -Wshadow=local is
# a GCC spelling clang does not know.
run-clang-tidy -p "$build" -quiet -j "$(nproc)" \
  -extra-arg=-Wno-unknown-warning-option "^$PWD/(?!build/)" >"$build/clang-tidy.log" 2>&1 || {
  grep -E '(error|warning): ' "$build/clang-tidy.log" | sort -u
  echo "lint: clang-tidy found problems (full log: $build/clang-tidy.log)"
  exit 1
}
echo "lint: clang-tidy: no findings"

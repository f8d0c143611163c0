#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: in the normal build and in
# the address and undefined-behaviour sanitizer build, which also fuzzes the template engine
# (clang) for a bounded time. Ends non-zero when any test fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"

status=0
run_suite() {
    local build_dir=$1
    shift
    echo "== Tests in $build_dir"
    "$root/scripts/build.sh" "$build_dir" "$@"
    ctest --test-dir "$build_dir" --output-on-failure || status=1
}

run_suite "$root/build"
export UBSAN_OPTIONS=print_stacktrace=1
run_suite "$root/build-sanitize" -DENDEUDAMIENTO_SANITIZE=ON -DENDEUDAMIENTO_BENCHMARKS=OFF
CC=clang CXX=clang++ run_suite "$root/build-fuzz" -DENDEUDAMIENTO_FUZZ=ON
exit "$status"

#!/usr/bin/env bash
# Installs what is missing, checks the sources' formatting, then builds and runs every test in
# three builds: the normal one, one with the address and undefined-behaviour sanitizers, and a
# clang build that fuzzes the template engine for a bounded time. Warnings are errors in all
# three. Ends non-zero when the format check or any test fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"

status=0

echo "== Format check (clang-format)"
if ! (cd "$root" && find . -path ./build\* -prune -o \( -name '*.h' -o -name '*.cpp' \) -print0 |
    xargs -0 clang-format --dry-run -Werror); then
    echo "Some sources are not formatted: run clang-format -i on them." >&2
    status=1
fi

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

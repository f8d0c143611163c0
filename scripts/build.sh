#!/usr/bin/env bash
# Configures and builds the project. Usage: build.sh BUILD_DIR [extra CMake arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$1
shift
cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DENDEUDAMIENTO_WERROR=ON -DENDEUDAMIENTO_BENCHMARKS=ON "$@"
cmake --build "$build_dir" --parallel "$(nproc)"

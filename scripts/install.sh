#!/usr/bin/env bash
# Builds the program's Debian package in build-release/ and installs it with apt-get. Then
# start "Endeudamiento municipal" from the desktop's menu, or Endeudamiento in a terminal.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"

build="$root/build-release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DENDEUDAMIENTO_BENCHMARKS=OFF
cmake --build "$build" --parallel "$(nproc)" --target Endeudamiento rtfill
rm -f "$build"/endeudamiento_*.deb
(cd "$build" && cpack -G DEB)

package=$(ls "$build"/endeudamiento_*.deb)
if [ "$(id -u)" -eq 0 ]; then
    apt-get install -y "$package"
else
    sudo apt-get install -y "$package"
fi
echo "Installed: start \"Endeudamiento municipal\" from the menu, or Endeudamiento in a terminal."

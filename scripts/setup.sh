#!/usr/bin/env bash
# Installs, on Debian, what building, running, testing and packaging the program need, and
# generates the Spanish locale the tests run under. Installs only what is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev libkainjow-mustache-dev libsqlite3-dev time bc
    clang clang-format libclang-rt-14-dev
    libreoffice-writer-nogui poppler-utils
    locales fonts-dejavu-core fonts-liberation mdbtools
    xvfb xdotool desktop-file-utils appstream dpkg-dev
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
        "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qix 'es_ES\.utf-\?8'; then
    echo "Generating the es_ES.UTF-8 locale"
    as_root localedef -i es_ES -c -f UTF-8 -A /usr/share/locale/locale.alias es_ES.UTF-8
fi

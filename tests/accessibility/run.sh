#!/usr/bin/env bash
# Starts the built program under Xvfb with an accessibility bus and reads its tree.
# Needs: xvfb at-spi2-core python3-pyatspi dbus-x11. Usage: run.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../../build}
Xvfb :98 -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb' EXIT
export DISPLAY=:98
dbus-run-session -- bash -c "
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LANG=es_ES.UTF-8 '$build/app/Endeudamiento' &
  app=\$!
  sleep 3
  /usr/bin/python3 '$here/probe_main_window.py' Endeudamiento; status=\$?
  kill \$app
  exit \$status"

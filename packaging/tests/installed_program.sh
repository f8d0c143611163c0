#!/usr/bin/env bash
# Installs a build into a temporary prefix whose bin/ cannot be written, starts the installed
# program on a display of its own with a case, presses "Informe" and checks that the template
# came from share/, that the report landed in the documents folder and that it is the document
# the desktop was asked to open, and, with LibreOffice installed, that it was written as PDF too.
# Usage: installed_program.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    # The program's LibreOffice, converting the report to PDF, names the folder in its profile.
    pkill -f -- "$work" 2>/dev/null || true
    for _ in $(seq 50); do pgrep -f -- "$work" > /dev/null || break; sleep 0.1; done
    chmod -R u+w "$work" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/prefix" > /dev/null
[ -f "$work/prefix/share/endeudamiento/PlantillaInformeP.rtf" ] || fail "the template is not installed"
[ ! -e "$work/prefix/bin/PlantillaInformeP.rtf" ] || fail "a template lies beside the program"
chmod a-w "$work/prefix/bin"

# The desktop's open action, recorded instead of performed.
mkdir -p "$work/home" "$work/fakebin" "$work/tmp"
cat > "$work/fakebin/xdg-open" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$1" >> "$work/opened"
SCRIPT
chmod +x "$work/fakebin/xdg-open"

# A case with the entity data and a limit, so that "Informe" asks nothing.
cat > "$work/caso.endeudamiento" <<'CASE'
{ "formato": "endeudamiento-caso", "version": 1,
  "entidad": { "nombre": "Villanueva del Campo", "provincia": "Zamora" }, "limite": "110",
  "importes": { "ICAP1": "1000000", "APVTOTAL": "50000" } }
CASE

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$work/display" 2> /dev/null &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"

env -u QT_QPA_PLATFORM HOME="$work/home" TMPDIR="$work/tmp" PATH="$work/fakebin:$PATH" \
    LANG=es_ES.UTF-8 LC_ALL=es_ES.UTF-8 \
    "$work/prefix/bin/Endeudamiento" "$work/caso.endeudamiento" > "$work/program.log" 2>&1 &
pids+=($!)
window=$(timeout 20 xdotool search --sync --onlyvisible --name 'caso\.endeudamiento' | head -n1) ||
    fail "the program's window did not appear: $(cat "$work/program.log")"

# "Informe", the middle button of the bottom panel: half the window's width, 55 pixels above
# its bottom edge (the status bar and half the panel).
read -r width height < <(xdotool getwindowgeometry "$window" |
    awk '/Geometry/ { split($2, size, "x"); print size[1], size[2] }')
xdotool mousemove --window "$window" $((width / 2)) $((height - 55)) click 1

report="$work/home/Documents/Informerelleno.rtf"
for _ in $(seq 100); do [ -s "$work/opened" ] && break; sleep 0.2; done
[ -s "$report" ] || fail "no report in the documents folder: $(cat "$work/program.log")"
grep -q 'Villanueva del Campo' "$report" || fail "the report does not hold the case's entity"
[ "$(cat "$work/opened")" = "file://$report" ] || fail "opened $(cat "$work/opened"), not $report"
[ ! -e "$work/prefix/bin/Informerelleno.rtf" ] || fail "a report was written beside the program"
echo "report written to the documents folder and opened"

# With LibreOffice installed the report is written again as PDF beside it.
if command -v soffice > /dev/null || command -v libreoffice > /dev/null; then
    pdf="$work/home/Documents/Informerelleno.pdf"
    for _ in $(seq 400); do [ -s "$pdf" ] && break; sleep 0.2; done
    [ -s "$pdf" ] || fail "no PDF beside the report: $(cat "$work/program.log")"
    echo "and written as PDF"
fi

#!/usr/bin/env bash
# Takes the screenshots kept in docs/screens: the main menu, an exchange of three cheques, the
# clients screen with 40 clients, the parameters screen, the print preview and the financing
# calculator with its exchange, with demo data,
# on a virtual display of the given size with a window manager, as an operator sees them.
#   scripts/screenshots.sh [WIDTHxHEIGHT] [OUT_FOLDER]
# Defaults: 1366x768 into docs/screens. DISPLAY_NUMBER chooses the virtual display (default:
# the first free one from 90). Needs a configured build (make configure).
set -euo pipefail
cd "$(dirname "$0")/.."
size=${1:-1366x768}
out=$(realpath -m "${2:-docs/screens}")
mkdir -p "$out"

bash scripts/install-deps.sh openbox
cmake --build build --target tavrel-screenshots

number=${DISPLAY_NUMBER:-90}
if [[ -z ${DISPLAY_NUMBER:-} ]]; then
  while [[ -e /tmp/.X${number}-lock ]]; do number=$((number + 1)); done
fi
Xvfb ":$number" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
wm=
trap 'kill $wm $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X$number ]] && break; sleep 0.1; done
DISPLAY=":$number" openbox >/dev/null 2>&1 &
wm=$!
sleep 1

DISPLAY=":$number" QT_QPA_PLATFORM=xcb TAVREL_SCREENSHOTS_DIR="$out" \
  build/bin/tavrel-screenshots --gtest_brief=1
ls -l "$out"/*.png

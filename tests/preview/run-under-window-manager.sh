#!/bin/sh
# Runs the test program given (and its arguments) on an X server of its own
# (Xvfb) with a real window manager (openbox), as on a person's desktop:
# the window manager decides which window is active and where the keyboard
# goes, and xdotool's keys arrive as the keyboard's do.
#
#   tests/preview/run-under-window-manager.sh build/tests/preview/preview_wm_tests
set -eu
for tool in xvfb-run openbox xdotool xprop; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/packages.txt)" >&2; exit 1; }
done
exec xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
  openbox >/dev/null 2>&1 &
  wm=$!
  # The window manager announces itself on the root window once it runs.
  tries=0
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
    tries=$((tries + 1))
    [ "$tries" -le 300 ] || { echo "openbox did not start" >&2; kill "$wm"; exit 1; }
    sleep 0.1
  done
  QT_QPA_PLATFORM=xcb "$@"
  status=$?
  kill "$wm" 2>/dev/null || true
  exit "$status"
' sh "$@"

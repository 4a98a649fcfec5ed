#!/usr/bin/env bash
# Runs a program on a private X display (Xvfb, a free display number) under
# the openbox window manager, so that which window covers which and where the
# keyboard focus goes are decided as on an officer's desktop. Exits with the
# program's status.
#
#   tests/desktop/under-openbox.sh build/tests/desktop/permit_desktop_tests
set -euo pipefail

if [[ "${1:-}" != --inside ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inside "$@"
fi
shift

openbox --sm-disable >/dev/null 2>&1 &
wm=$!
trap 'kill "${wm}" 2>/dev/null || true; wait "${wm}" 2>/dev/null || true' EXIT

# The window manager is there once it has announced itself on the root
# window; allow a loaded machine plenty of time.
for _ in $(seq 1 600); do
  if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
    "$@"
    exit $?
  fi
  if ! kill -0 "${wm}" 2>/dev/null; then
    echo "under-openbox: openbox did not start" >&2
    exit 1
  fi
  sleep 0.05
done
echo "under-openbox: openbox did not announce itself within 30 s" >&2
exit 1

#!/usr/bin/env bash
# Installs what is missing, builds everything, runs every test beside a
# private print scheduler (the machine's printers stay as they are), then
# builds the Debian package and checks it with lintian.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"${root}/scripts/install-packages.sh" test
"${root}/scripts/build.sh"
(cd "${root}/build" &&
 QT_QPA_PLATFORM=offscreen "${root}/scripts/test-printer.sh" ctest --output-on-failure -j2)
"${root}/scripts/package.sh"

#!/usr/bin/env bash
# Installs what is missing, builds, starts a private CUPS queue and runs every test.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"${root}/scripts/install-packages.sh" test
"${root}/scripts/build.sh"
"${root}/scripts/cups-up.sh"
cd "${root}/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

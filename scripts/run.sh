#!/usr/bin/env bash
# Installs what is missing, builds the program (and qrptool, its companion
# for prepared report files) and starts it. Tests and benchmarks are left to
# scripts/test.sh.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"${root}/scripts/install-packages.sh" build
"${root}/scripts/build.sh" Permiso qrptool
exec "${root}/build/permit/Permiso"

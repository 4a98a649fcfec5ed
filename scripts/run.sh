#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"${root}/scripts/install-packages.sh" build
"${root}/scripts/build.sh"
exec "${root}/build/permit/Permiso"

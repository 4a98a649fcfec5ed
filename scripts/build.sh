#!/usr/bin/env bash
# Configures (once) and builds the project in build/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "${root}"
if [[ ! -f build/CMakeCache.txt ]]; then
  cmake --preset default >/dev/null
fi
cmake --build build -j2 -- --no-print-directory | grep -v -E '^\[ *[0-9]+%\]|^Consolidate compiler' || true
test "${PIPESTATUS[0]}" -eq 0

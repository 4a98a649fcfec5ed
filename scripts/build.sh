#!/usr/bin/env bash
# Configures (once) and builds the project in build/: the named targets, or
# everything when none is named. Prints only compiler warnings when the build
# succeeds, and the whole log when it fails.
#   scripts/build.sh                    everything, tests and benchmarks too
#   scripts/build.sh Permiso qrptool    just these
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "${root}"
log="$(mktemp)"
trap 'rm -f "${log}"' EXIT

if [[ ! -f build/CMakeCache.txt ]]; then
  echo "Building Permiso for the first time (a few minutes)..."
  if ! cmake --preset default >"${log}" 2>&1; then
    cat "${log}"
    exit 1
  fi
fi
targets=()
(($# > 0)) && targets=(--target "$@")
if ! cmake --build build -j2 "${targets[@]}" >"${log}" 2>&1; then
  cat "${log}"
  exit 1
fi
grep -E 'warning:' "${log}" || true

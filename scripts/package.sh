#!/usr/bin/env bash
# Makes the Debian package from the build in build/ (scripts/build.sh) and
# checks it with lintian, which must report no error. Prints the package's
# path; lintian's warnings, if any, are shown but do not fail.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "${root}/build"
log="$(mktemp)"
trap 'rm -f "${log}"' EXIT

if ! cpack -G DEB >"${log}" 2>&1; then
  cat "${log}"
  exit 1
fi
deb="$(sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' "${log}")"
[[ -f "${deb}" ]] || { cat "${log}"; echo "package: no .deb made" >&2; exit 1; }

# --fail-on error: warnings and notes are reported, errors fail the build.
if ! lintian --fail-on error --no-tag-display-limit "${deb}" >"${log}" 2>&1; then
  cat "${log}"
  echo "package: lintian found errors in ${deb}" >&2
  exit 1
fi
grep -E '^[WE]: ' "${log}" || true
echo "${deb}"

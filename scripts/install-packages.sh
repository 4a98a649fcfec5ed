#!/usr/bin/env bash
# Installs the Debian packages the project needs that are not there yet.
# Silent when nothing is missing. Usage: install-packages.sh build|test
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
want="${1:-build}"

missing=()
while read -r kind name; do
  [[ -z "${kind}" || "${kind}" == \#* ]] && continue
  [[ "${want}" == build && "${kind}" == test ]] && continue
  if ! dpkg-query -W -f='${Status}' "${name}" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("${name}")
  fi
done < "${here}/packages.txt"

((${#missing[@]} == 0)) && exit 0

sudo=""
[[ "$(id -u)" != 0 ]] && sudo="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
${sudo} apt-get update -qq
${sudo} apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

#!/usr/bin/env bash
# Starts the CUPS scheduler when it is not running and adds the cups-pdf
# queue "PDF" that the printing tests print to. Quiet when all is in place.
set -euo pipefail
sudo=""
[[ "$(id -u)" != 0 ]] && sudo="sudo"

if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
  ${sudo} /usr/sbin/cupsd >/dev/null 2>&1 || true
  for _ in $(seq 1 50); do
    lpstat -r 2>/dev/null | grep -q 'is running' && break
    sleep 0.1
  done
fi
if ! lpstat -v PDF >/dev/null 2>&1; then
  ${sudo} lpadmin -p PDF -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -E
  ${sudo} lpadmin -d PDF
fi

#!/usr/bin/env bash
# Starts the CUPS scheduler when it is not running and adds the cups-pdf
# queue "PDF" that the printing tests print to. Quiet when all is in place;
# safe to run again.
#
# The queue writes PDF 1.4: at cups-pdf's own default (1.2) Ghostscript turns
# every TrueType font into a bitmap font and the text of a page is lost.
set -euo pipefail
sudo=""
[[ "$(id -u)" != 0 ]] && sudo="sudo"

running() { lpstat -r 2>/dev/null | grep -q 'is running'; }

if ! running; then
  ${sudo} /usr/sbin/cupsd >/dev/null 2>&1 || true
  for _ in $(seq 1 100); do
    running && break
    sleep 0.1
  done
  running || { echo "cups-up: the CUPS scheduler did not start" >&2; exit 1; }
fi
if ! lpstat -v PDF >/dev/null 2>&1; then
  ${sudo} lpadmin -p PDF -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -E
  ${sudo} lpadmin -d PDF
fi
if ! lpoptions -p PDF -l 2>/dev/null | grep -q '^PDFVer.*\*1\.4'; then
  ${sudo} lpadmin -p PDF -o PDFVer=1.4
fi

#!/usr/bin/env bash
# Runs a command beside a private CUPS scheduler that has one cups-pdf queue,
# "PDF", its default printer, and stops the scheduler afterwards, also when
# the command fails or is interrupted. Usage:
#
#   scripts/test-printer.sh COMMAND [ARGUMENT...]
#
# The command sees only this scheduler:
#   CUPS_SERVER              the scheduler's socket
#   PERMISO_TEST_PDF_FOLDER  the folder where the queue writes its PDFs
#
# Nothing of the machine's printing changes: the scheduler keeps its
# configuration, spool, logs, socket and PDFs in a fresh folder under /tmp
# and listens on no network port. With PERMISO_KEEP_PDF set, the PDFs stay
# (the folder is named at the end).
#
# cups-pdf refuses to run other than as root, so the scheduler runs as root
# (through sudo for other users). cups-pdf reads its settings from
# /etc/cups/cups-pdf.conf and nowhere else; the scheduler therefore runs in a
# mount namespace of its own in which that file is the private one, and the
# rest of the machine never sees the change.
set -euo pipefail

(($# > 0)) || { echo "usage: $0 COMMAND [ARGUMENT...]" >&2; exit 2; }

sudo=()
[[ "$(id -u)" != 0 ]] && sudo=(sudo)
me="$(id -un)"
my_group="$(id -gn)"

# Owned by root: under AppArmor the scheduler may only use files in /tmp
# that its own user owns.
dir="$("${sudo[@]}" mktemp -d /tmp/permiso-printer.XXXXXXXX)"
[[ "${dir}" == /tmp/permiso-printer.* ]] || { echo "test-printer: no private folder" >&2; exit 1; }
pid_file="${dir}/cupsd.pid"
socket="${dir}/socket/cups.sock"
scheduler=""

# Whether a process is there and not yet a zombie (a root process cannot be
# probed with kill -0 by another user).
alive() {
  local state
  state="$(ps -o stat= -p "$1" 2>/dev/null)" && [[ "${state}" != Z* ]]
}

stop() {
  local status=$?
  # The clean-up itself runs to its end: a second Ctrl+C would leave the
  # scheduler running.
  trap '' INT TERM HUP
  trap - EXIT
  if [[ -n "${scheduler}" ]]; then
    # Interrupted before the scheduler wrote its pid: the process started
    # here is cupsd itself once exec'd, or sudo, which passes the signal on.
    local pid="${scheduler}"
    [[ -s "${pid_file}" ]] && pid="$(cat "${pid_file}")"
    "${sudo[@]}" kill -TERM "${pid}" 2>/dev/null || true
    # cupsd ends its jobs' filters first; a scheduler that will not end is killed.
    for _ in $(seq 1 300); do
      alive "${pid}" || break
      sleep 0.1
    done
    if alive "${pid}"; then "${sudo[@]}" kill -KILL "${pid}" 2>/dev/null || true; fi
    wait "${scheduler}" 2>/dev/null || true
  fi
  if ((status != 0)) && [[ -s "${dir}/log/error_log" ]]; then
    echo "test-printer: the scheduler's errors:" >&2
    "${sudo[@]}" grep -E '^[EC] ' "${dir}/log/error_log" >&2 || true
  fi
  if [[ -n "${PERMISO_KEEP_PDF:-}" ]]; then
    echo "test-printer: the PDFs stay in ${dir}/pdf" >&2
    "${sudo[@]}" find "${dir}" -mindepth 1 -maxdepth 1 ! -name pdf -exec rm -rf -- {} +
  else
    "${sudo[@]}" rm -rf -- "${dir}"
  fi
  exit "${status}"
}
trap stop EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

as_root() { "${sudo[@]}" "$@"; }
write_root_file() { as_root tee "$1" >/dev/null; }

as_root install -d -m 0755 "${dir}/etc" "${dir}/log" "${dir}/cups-pdf-spool"
as_root install -d -m 0710 "${dir}/spool" "${dir}/state" "${dir}/cache"
as_root install -d -m 1770 -g lp "${dir}/spool/tmp"
# Only this user and root reach the socket.
as_root install -d -m 0710 -g "${my_group}" "${dir}/socket"
# The PDFs are written as the job's user, who reads and removes them.
as_root install -d -m 0700 -o "${me}" -g "${my_group}" "${dir}/pdf"
as_root chmod 0711 "${dir}"

write_root_file "${dir}/etc/cups-files.conf" <<EOF
ServerRoot ${dir}/etc
RequestRoot ${dir}/spool
TempDir ${dir}/spool/tmp
StateDir ${dir}/state
CacheDir ${dir}/cache
ServerKeychain ${dir}/etc/ssl
AccessLog ${dir}/log/access_log
ErrorLog ${dir}/log/error_log
PageLog ${dir}/log/page_log
Printcap ${dir}/state/printcap
ServerBin /usr/lib/cups
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
User lp
Group lp
SystemGroup root
FileDevice No
EOF

write_root_file "${dir}/etc/cupsd.conf" <<EOF
Listen ${socket}
LogLevel warn
Browsing No
BrowseLocalProtocols none
WebInterface No
DefaultShared No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess default
  JobPrivateValues default
  SubscriptionPrivateAccess default
  SubscriptionPrivateValues default
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF

# PDFs into the private folder; the log and the work files beside it.
write_root_file "${dir}/etc/cups-pdf.conf" <<EOF
Out ${dir}/pdf
AnonDirName ${dir}/pdf
Spool ${dir}/cups-pdf-spool
Log ${dir}/log
Grp lpadmin
DecodeHexStrings 1
EOF

# The shell records the pid that cupsd keeps once it is exec'd.
"${sudo[@]}" unshare --mount sh -c '
  exec >"$1/log/cupsd.out" 2>&1 </dev/null
  mount --bind "$1/etc/cups-pdf.conf" /etc/cups/cups-pdf.conf || exit 1
  echo $$ > "$1/cupsd.pid"
  exec /usr/sbin/cupsd -f -c "$1/etc/cupsd.conf" -s "$1/etc/cups-files.conf"
' sh "${dir}" &
scheduler=$!

export CUPS_SERVER="${socket}"
export PERMISO_TEST_PDF_FOLDER="${dir}/pdf"
# The scheduler's default printer, not the caller's.
unset LPDEST PRINTER

running() { lpstat -r 2>/dev/null | grep -q 'is running'; }
for _ in $(seq 1 600); do
  running && break
  alive "${scheduler}" || break
  sleep 0.1
done
if ! running; then
  echo "test-printer: the private CUPS scheduler did not start" >&2
  "${sudo[@]}" cat "${dir}/log/cupsd.out" >&2 || true
  exit 1
fi

# PDF 1.4: at cups-pdf's own default (1.2) Ghostscript turns every TrueType
# font into a bitmap font and the text of a page is lost. Files named after
# the job's title as the program gave it: the title cups-pdf reads from the
# PostScript instead comes with bytes of earlier strings behind it.
if ! out="$(lpadmin -p PDF -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd \
                    -o PDFVer=1.4 -o TitlePref=1 -E 2>&1 && lpadmin -d PDF 2>&1)"; then
  echo "test-printer: the queue PDF could not be added" >&2
  echo "${out}" >&2
  exit 1
fi

set +e
"$@"

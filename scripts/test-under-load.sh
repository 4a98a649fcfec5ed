#!/usr/bin/env bash
# Runs the whole suite ROUNDS times beside HOGS busy loops, to find tests
# whose outcome depends on how fast the machine is; prints each failed
# test's name with the number of rounds it failed in. Usage:
#
#   scripts/test-under-load.sh [ROUNDS [HOGS]]     (default 3 rounds, 2 hogs)
#
# Needs a built tree (scripts/build.sh). The hogs end with the script.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
rounds="${1:-3}"
hogs="${2:-2}"
logs="$(mktemp -d)"
pids=()
finish() {
  ((${#pids[@]} > 0)) && kill "${pids[@]}" 2>/dev/null
  rm -rf "${logs}"
}
trap finish EXIT

for _ in $(seq 1 "${hogs}"); do
  (while :; do :; done) &
  pids+=($!)
done

cd "${root}/build"
for round in $(seq 1 "${rounds}"); do
  if QT_QPA_PLATFORM=offscreen "${root}/scripts/test-printer.sh" \
       ctest -j2 --timeout 600 >"${logs}/${round}.log" 2>&1; then
    echo "round ${round}: all passed"
  else
    echo "round ${round}: $(grep -c '(Failed\|(Timeout\|(SEGFAULT\|(Subprocess' "${logs}/${round}.log") failed"
  fi
  grep -h 'tests passed' "${logs}/${round}.log" || true
done
echo "failures over ${rounds} rounds beside ${hogs} busy loops:"
cat "${logs}"/*.log | sed -n 's/^\s*[0-9]* - \(.*\) (.*)$/\1/p' | sort | uniq -c | sort -rn

#!/usr/bin/env bash
# Renders the readers' test page and every good EMF fixture twice, with our
# player (emf_render) and with libemf2svg + rsvg-convert, and puts each pair
# side by side (ours left) in OUT/NAME.pair.png for looking at. Not a test.
#   tests/graphics/render-beside-emf2svg.sh [OUT]   (default /tmp/emf-pairs)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
out="${1:-/tmp/emf-pairs}"
render="${root}/build/tests/graphics/emf_render"
[[ -x "${render}" ]] || { echo "build the emf_render target first" >&2; exit 1; }
mkdir -p "${out}"
export QT_QPA_PLATFORM=offscreen
"${render}" --test-page "${out}/test-page.emf" 2>/dev/null
for f in "${out}/test-page.emf" "${root}"/tests/graphics/fixtures/emf/*.emf; do
  b="$(basename "${f}" .emf)"
  "${render}" "${f}" "${out}/${b}.ours.png" 800 2>/dev/null
  emf2svg-conv -i "${f}" -o "${out}/${b}.svg"
  rsvg-convert -w 800 -b white -o "${out}/${b}.emf2svg.png" "${out}/${b}.svg"
  convert "${out}/${b}.ours.png" "${out}/${b}.emf2svg.png" -background gray -splice 10x0 \
    +append "${out}/${b}.pair.png"
done
echo "pairs in ${out}"

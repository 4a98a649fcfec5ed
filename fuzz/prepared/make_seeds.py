#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_prepared: small prepared report files,
plain and compressed, with the current and the older header.

    make_seeds.py QRPTOOL OUTDIR   (QRPTOOL packs the compressed payloads)
"""
import os
import struct
import subprocess
import sys


def emf_page(width_px, height_px, extra_rects):
    """A landscape page of width_px x height_px at 96 dpi with a few
    rectangles: header, EMR_RECTANGLE records, EOF."""
    frame_r = round(width_px * 2540 / 96) - 1
    frame_b = round(height_px * 2540 / 96) - 1
    body = b""
    for i in range(extra_rects):
        body += struct.pack("<II4i", 43, 24, 10 + i, 10 + i, 100 + 3 * i, 80 + 2 * i)
    eof = struct.pack("<5I", 14, 20, 0, 16, 20)
    total = 108 + len(body) + len(eof)
    header = struct.pack(
        "<II4i4iIIIIHHIII2i2iIII2i",
        1, 108, 0, 0, width_px - 1, height_px - 1, 0, 0, frame_r, frame_b,
        0x464D4520, 0x10000, total, 2 + extra_rects, 1, 0, 0, 0, 0,
        1920, 1080, 508, 286, 0, 0, 0, 508000, 286000)
    assert len(header) == 108
    return header + body + eof


def compress(qrptool, data):
    return subprocess.run([qrptool, "compress"], input=data, check=True,
                          capture_output=True).stdout


def store(pages, compressed, header_size, qrptool, claimed=None):
    out = bytearray(header_size)
    struct.pack_into("<HH", out, 0, 3, 309)
    struct.pack_into("<i", out, 8, len(pages) if claimed is None else claimed)
    struct.pack_into("<d", out, 16 if header_size == 128 else 12, 46366.5)
    out[25 if header_size == 128 else 21] = 1 if compressed else 0
    for n, page in enumerate(pages, 1):
        payload = struct.pack("<i", len(page)) + compress(qrptool, page) if compressed else page
        start = len(out)
        out += struct.pack("<ii", n, start + 12 + len(payload)) + payload + struct.pack("<i", start)
    return bytes(out)


def main():
    qrptool, outdir = sys.argv[1], sys.argv[2]
    os.makedirs(outdir, exist_ok=True)
    one = [emf_page(1056, 816, 2)]
    three = [emf_page(1056, 816, i) for i in (1, 3, 5)]
    seeds = {
        "plain-1.QRP": store(one, False, 128, qrptool),
        "plain-3.QRP": store(three, False, 128, qrptool),
        "packed-3.QRP": store(three, True, 128, qrptool),
        "older-header-2.QRP": store(three[:2], False, 124, qrptool),
        "empty.QRP": store([], False, 128, qrptool),
        # Headers that claim other pages than the records hold.
        "claims-a-million-3.QRP": store(three, False, 128, qrptool, claimed=1000000),
        "claims-one-3.QRP": store(three, False, 128, qrptool, claimed=1),
        "cut-inside-page-3.QRP": store(three, False, 128, qrptool)[:-60],
        "packed-cut-inside-page-3.QRP": store(three, True, 128, qrptool)[:-20],
    }
    for name, data in seeds.items():
        with open(os.path.join(outdir, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()

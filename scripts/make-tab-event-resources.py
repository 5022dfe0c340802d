#!/usr/bin/env python3
"""Writes the Tab Event page's resources into src/resources:

- play.bmp: 13 x 13 monochrome, a black triangle pointing right (vertical
  edge at column 5 from row 2 to row 10, tip at column 9, row 6) on white;
- stop.bmp: 13 x 13 monochrome, a black 7 x 7 square (columns 3 to 9, rows
  3 to 9) on white;
- event.wav: the built-in "VelotabEvent" sound, PCM, mono, 22050 Hz, 16 bits,
  22344 bytes of samples: a soft two-note rising chime.

The output is the same on every run; the generated files are committed, so
the build itself needs no Python.
Usage: scripts/make-tab-event-resources.py [OUTPUT_DIR]
"""
import math
import os
import struct
import sys

SIZE = 13


def triangle(column, row):
    """Rows 2 to 10, widening by one column a row towards row 6."""
    return 2 <= row <= 10 and 5 <= column <= 5 + (4 - abs(row - 6))


def square(column, row):
    return 3 <= column <= 9 and 3 <= row <= 9


def monochrome_bmp(is_black):
    row_bytes = (SIZE + 31) // 32 * 4
    pixels = bytearray()
    for row in reversed(range(SIZE)):  # bottom-up
        bits = 0
        for column in range(SIZE):
            if not is_black(column, row):  # palette entry 1 is white
                bits |= 1 << (row_bytes * 8 - 1 - column)
        pixels += bits.to_bytes(row_bytes, "big")
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 1, 0, len(pixels), 2835, 2835, 2, 2)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + bytes(pixels)


RATE = 22050
DATA_BYTES = 22344
SAMPLES = DATA_BYTES // 2


def chime():
    """A5 then E6, each struck softly and dying away, with a short fade at
    both ends so that the sound starts and stops without a click."""
    notes = [(880.0, 0.0), (1318.51, 0.12)]
    fade = int(0.02 * RATE)
    samples = []
    for i in range(SAMPLES):
        t = i / RATE
        value = 0.0
        for frequency, start in notes:
            local = t - start
            if local < 0:
                continue
            attack = min(1.0, local / 0.005)
            envelope = attack * math.exp(-local / 0.12)
            phase = 2 * math.pi * frequency * local
            value += envelope * (math.sin(phase) + 0.25 * math.sin(2 * phase))
        edge = min(1.0, i / fade, (SAMPLES - 1 - i) / fade)
        samples.append(int(round(0.35 * 32767 * value * edge)))
    return b"".join(struct.pack("<h", max(-32768, min(32767, s))) for s in samples)


def wave(data):
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE * 2, 2, 16)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt
    body += b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "src", "resources")
    files = {
        "play.bmp": monochrome_bmp(triangle),
        "stop.bmp": monochrome_bmp(square),
        "event.wav": wave(chime()),
    }
    for name, content in files.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(content)


if __name__ == "__main__":
    main()

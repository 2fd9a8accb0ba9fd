#!/usr/bin/env python3
"""Renders one skin from its SVG source and checks the result.

    render.py RSVG_CONVERT SOURCE.svg OUTPUT.png WIDTH HEIGHT [REFERENCE.rgba]

The PNG must come out as 8-bit RGBA of exactly WIDTH x HEIGHT pixels (the program
shows its skins through a per-pixel-alpha window, so every one needs an alpha channel).
With REFERENCE, the PNG is also decoded here, independently of Windows, into a raw file:
width and height as two little-endian 32-bit integers, then the straight (not
premultiplied) RGBA bytes row by row; the graphics tests compare the program's decoding
with it. Standard library only.
"""
import struct
import subprocess
import sys
import zlib


def read_chunks(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    position = 8
    while position < len(data):
        length, kind = struct.unpack(">I4s", data[position:position + 8])
        yield kind, data[position + 8:position + 8 + length]
        position += 12 + length


def paeth(left, up, up_left):
    estimate = left + up - up_left
    distances = (abs(estimate - left), abs(estimate - up), abs(estimate - up_left))
    if distances[0] <= distances[1] and distances[0] <= distances[2]:
        return left
    return up if distances[1] <= distances[2] else up_left


def unfilter(raw, width, height, pixel_bytes):
    row_bytes = width * pixel_bytes
    rows, previous, position = [], bytearray(row_bytes), 0
    for _ in range(height):
        kind, line = raw[position], bytearray(raw[position + 1:position + 1 + row_bytes])
        position += 1 + row_bytes
        for i in range(row_bytes):
            left = line[i - pixel_bytes] if i >= pixel_bytes else 0
            up_left = previous[i - pixel_bytes] if i >= pixel_bytes else 0
            predictor = (0, left, previous[i], (left + previous[i]) // 2, paeth(left, previous[i], up_left))[kind]
            line[i] = (line[i] + predictor) & 0xFF
        rows.append(bytes(line))
        previous = line
    return b"".join(rows)


def decode_rgba(path):
    """The pixels of an 8-bit, non-interlaced RGBA PNG, with its size."""
    header, compressed = None, b""
    with open(path, "rb") as file:
        for kind, body in read_chunks(file.read()):
            if kind == b"IHDR":
                header = struct.unpack(">IIBBBBB", body)
            elif kind == b"IDAT":
                compressed += body
    width, height, depth, colour_type, _, _, interlace = header
    if depth != 8 or colour_type != 6 or interlace != 0:
        raise ValueError(f"{path}: not 8-bit non-interlaced RGBA (depth {depth}, colour type {colour_type})")
    return width, height, unfilter(zlib.decompress(compressed), width, height, 4)


def main(rsvg, source, output, width, height, reference=None):
    width, height = int(width), int(height)
    subprocess.run([rsvg, "-w", str(width), "-h", str(height), source, "-o", output], check=True)
    actual_width, actual_height, pixels = decode_rgba(output)
    if (actual_width, actual_height) != (width, height):
        raise ValueError(f"{output}: {actual_width} x {actual_height}, expected {width} x {height}")
    if reference:
        with open(reference, "wb") as file:
            file.write(struct.pack("<II", width, height) + pixels)


if __name__ == "__main__":
    try:
        main(*sys.argv[1:])
    except (ValueError, IndexError, TypeError) as error:
        sys.exit(f"render.py: {error}")

#!/usr/bin/env python3
"""Rewrites a true-colour PNG as a small palette PNG (the help's pictures of
the properties pages: a few dozen colours). Up to 256 colours are kept
exactly; beyond that each colour becomes the nearest of the 256 most used.
The same input always gives the same bytes.

    png-palette.py INPUT.png OUTPUT.png
"""
import struct
import sys
import zlib


def chunks(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit("not a PNG file")
    at = 8
    while at < len(data):
        (length,) = struct.unpack(">I", data[at:at + 4])
        kind = data[at + 4:at + 8]
        yield kind, data[at + 8:at + 8 + length]
        at += 12 + length


def read_rgb(path):
    """(width, height, rows of (r, g, b) tuples)."""
    with open(path, "rb") as f:
        data = f.read()
    header, idat = None, b""
    for kind, body in chunks(data):
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        sys.exit("%s: only 8-bit RGB(A) pictures without interlacing" % path)
    channels = 3 if colour == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                pred = left if pa <= pb and pa <= pc else (up if pb <= pc else corner)
                line[i] = (line[i] + pred) & 255
        rows.append([tuple(line[x * channels:x * channels + 3]) for x in range(width)])
        previous = line
    return width, height, rows


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + \
        struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)


def write_palette(path, width, height, rows):
    counts = {}
    for row in rows:
        for pixel in row:
            counts[pixel] = counts.get(pixel, 0) + 1
    # Most used first; ties by colour, so the order never depends on chance.
    palette = sorted(counts, key=lambda c: (-counts[c], c))[:256]
    index = {c: i for i, c in enumerate(palette)}
    for colour in counts:
        if colour not in index:
            index[colour] = min(range(len(palette)), key=lambda i: (
                sum((a - b) ** 2 for a, b in zip(colour, palette[i])), i))
    depth = 8
    for bits in (1, 2, 4):
        if len(palette) <= 1 << bits:
            depth = bits
            break
    per_byte = 8 // depth
    raw = bytearray()
    for row in rows:
        raw.append(0)
        byte, filled = 0, 0
        for pixel in row:
            byte = (byte << depth) | index[pixel]
            filled += 1
            if filled == per_byte:
                raw.append(byte)
                byte, filled = 0, 0
        if filled:
            raw.append(byte << (depth * (per_byte - filled)))
    out = b"\x89PNG\r\n\x1a\n"
    out += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, depth, 3, 0, 0, 0))
    out += chunk(b"PLTE", b"".join(bytes(c) for c in palette))
    out += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    out += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(out)
    return len(counts), len(palette)


def main():
    source, target = sys.argv[1:3]
    width, height, rows = read_rgb(source)
    colours, kept = write_palette(target, width, height, rows)
    if colours > kept:
        print("%s: %d colours, %d kept" % (target, colours, kept))


if __name__ == "__main__":
    main()

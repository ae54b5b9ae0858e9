#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Les auteurs de Velbrisk
# SPDX-License-Identifier: GPL-3.0-or-later

# Renders the program's pictures from their SVG sources; the results are
# committed, so building never needs these tools:
#   velbrisk-16.png, velbrisk-32.png, velbrisk-48.png  the icon, 256 colours
#   velbrisk.ico                                         the same three images, for Windows
#   ui/info/image1.png                                   the author's picture, 221 x 321, 24 bits
# Needs rsvg-convert (librsvg2-bin), ImageMagick's convert and python3.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

for size in 16 32 48; do
    rsvg-convert -w "$size" -h "$size" "$here/velbrisk.svg" -o "$tmp/rgba-$size.png"
    # A palette of at most 256 colours with one transparent entry, as icons
    # of that depth have always been.
    convert "$tmp/rgba-$size.png" -strip -define png:bit-depth=8 "PNG8:$here/velbrisk-$size.png"
done

# Windows wants 8-bit palette bitmaps with a 1-bit transparency mask inside
# the .ico; ImageMagick would write 32-bit ones, so the file is put together
# here, largest first as Windows lists them: 32, 48, then 16.
python3 - "$here/velbrisk.ico" "$here/velbrisk-32.png" "$here/velbrisk-48.png" "$here/velbrisk-16.png" <<'PY'
import struct, sys, zlib

def read_png8(path):
    data = open(path, 'rb').read()
    pos, idat, palette, alpha = 8, b'', b'', b''
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b'IHDR':
            width, height, depth, ctype = struct.unpack('>IIBB', body[:10])
            assert (depth, ctype) == (8, 3), f'{path}: not an 8-bit palette PNG'
        elif kind == b'PLTE':
            palette = body
        elif kind == b'tRNS':
            alpha = body
        elif kind == b'IDAT':
            idat += body
    raw = zlib.decompress(idat)
    rows, prev = [], bytearray(width)
    for y in range(height):
        line = raw[y * (width + 1):(y + 1) * (width + 1)]
        kind, cur = line[0], bytearray(line[1:])
        for x in range(width):
            a = cur[x - 1] if x else 0
            b = prev[x]
            c = prev[x - 1] if x else 0
            if kind == 1:
                cur[x] = (cur[x] + a) & 255
            elif kind == 2:
                cur[x] = (cur[x] + b) & 255
            elif kind == 3:
                cur[x] = (cur[x] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                cur[x] = (cur[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(cur))
        prev = cur
    colours = [palette[i:i + 3] for i in range(0, len(palette), 3)]
    opaque = [i >= len(alpha) or alpha[i] >= 128 for i in range(256)]
    return width, height, colours, rows, opaque

def dib(width, height, colours, rows, opaque):
    header = struct.pack('<IiiHHIIiiII', 40, width, 2 * height, 1, 8, 0, 0, 0, 0, 256, 0)
    table = b''.join(bytes((c[2], c[1], c[0], 0)) for c in colours).ljust(1024, b'\0')
    stride = (width + 3) & ~3
    mask_stride = ((width + 31) // 32) * 4
    pixels, mask = b'', b''
    for row in reversed(rows):  # bottom-up
        pixels += bytes(i if opaque[i] else 0 for i in row).ljust(stride, b'\0')
        bits = bytearray(mask_stride)
        for x, i in enumerate(row):
            if not opaque[i]:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + table + pixels + mask

out, images = sys.argv[1], [read_png8(p) for p in sys.argv[2:]]
blobs = [dib(*image) for image in images]
directory, offset = b'', 6 + 16 * len(blobs)
for (width, height, *_), blob in zip(images, blobs):
    directory += struct.pack('<BBBBHHII', width % 256, height % 256, 0, 0, 1, 8, len(blob), offset)
    offset += len(blob)
with open(out, 'wb') as f:
    f.write(struct.pack('<HHH', 0, 1, len(blobs)) + directory + b''.join(blobs))
PY

# The picture has no transparency: 24-bit RGB.
rsvg-convert -w 221 -h 321 "$root/ui/info/image1.svg" -o "$tmp/image1.png"
convert "$tmp/image1.png" -strip -background white -alpha remove -alpha off \
    -define png:color-type=2 -define png:bit-depth=8 "$root/ui/info/image1.png"

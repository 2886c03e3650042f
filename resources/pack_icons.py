#!/usr/bin/env python3
"""Pack square images into a Windows icon (.ico) or cursor (.cur) file.

Usage:
    pack_icons.py ico OUT.ico ENTRY...
    pack_icons.py cur OUT.cur ENTRY...

Each ENTRY is "SIZE,BPP,PATH" (icons) or "SIZE,BPP,PATH,HOTX,HOTY" (cursors):
  - PATH ending in .rgba: raw 8-bit RGBA pixels, SIZE x SIZE, top row first.
    They are stored as a DIB (BITMAPINFOHEADER, bottom-up) with an AND mask.
    BPP 32 keeps the alpha channel; BPP 8 builds a 256-entry palette from the
    opaque pixels (at most 255 distinct colours allowed) and uses the AND mask
    for transparency (alpha < 128 counts as transparent).
  - PATH ending in .png: the PNG file (8-bit RGBA) is embedded as it is.
Only the Python standard library is used.
"""
import struct
import sys


def row_bytes(width, bpp):
    return ((width * bpp + 31) // 32) * 4


def and_mask(size, alpha):
    """1 bit per pixel, 1 = transparent; rows bottom-up, padded to 32 bits."""
    stride = row_bytes(size, 1)
    out = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytearray(stride)
        for x in range(size):
            if alpha[y * size + x] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def bitmap_header(size, bpp, image_bytes, colours):
    # Height is doubled: the XOR bitmap followed by the AND mask.
    return struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bpp, 0,
                       image_bytes, 0, 0, colours, 0)


def dib_32(size, rgba):
    alpha = rgba[3::4]
    xor = bytearray()
    for y in range(size - 1, -1, -1):
        for x in range(size):
            r, g, b, a = rgba[(y * size + x) * 4:(y * size + x) * 4 + 4]
            xor += bytes((b, g, r, a)) if a else b'\0\0\0\0'
    mask = and_mask(size, alpha)
    return bitmap_header(size, 32, len(xor) + len(mask), 0) + bytes(xor) + mask


def dib_8(size, rgba):
    alpha = rgba[3::4]
    palette = [(0, 0, 0)]          # index 0: black, used under the mask
    index_of = {(0, 0, 0): 0}
    indices = []
    for i in range(size * size):
        if alpha[i] < 128:
            indices.append(0)
            continue
        colour = tuple(rgba[i * 4:i * 4 + 3])
        if colour not in index_of:
            index_of[colour] = len(palette)
            palette.append(colour)
        indices.append(index_of[colour])
    if len(palette) > 256:
        sys.exit('8-bit image has %d colours, at most 256 allowed' % len(palette))
    palette += [(0, 0, 0)] * (256 - len(palette))
    pal = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    stride = row_bytes(size, 8)
    xor = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytes(indices[y * size:(y + 1) * size])
        xor += row + b'\0' * (stride - size)
    mask = and_mask(size, alpha)
    return (bitmap_header(size, 8, len(xor) + len(mask), 256) + pal
            + bytes(xor) + mask)


def main(argv):
    if len(argv) < 4 or argv[1] not in ('ico', 'cur'):
        sys.exit(__doc__)
    kind, out_path, entries = argv[1], argv[2], argv[3:]
    images = []
    for entry in entries:
        fields = entry.split(',')
        size, bpp, path = int(fields[0]), int(fields[1]), fields[2]
        with open(path, 'rb') as f:
            data = f.read()
        if path.endswith('.png'):
            if data[:8] != b'\x89PNG\r\n\x1a\n':
                sys.exit(path + ': not a PNG file')
            if struct.unpack('>II', data[16:24]) != (size, size):
                sys.exit(path + ': PNG is not %dx%d' % (size, size))
            # Windows reads PNG icon images of 8-bit RGBA only.
            if data[24:26] != b'\x08\x06':
                sys.exit(path + ': PNG is not 8-bit RGBA')
        else:
            if len(data) != size * size * 4:
                sys.exit(path + ': expected %d bytes of RGBA' % (size * size * 4))
            data = dib_32(size, data) if bpp == 32 else dib_8(size, data)
        if kind == 'cur':
            hot_x, hot_y = int(fields[3]), int(fields[4])
            planes, bits = hot_x, hot_y
        else:
            planes, bits = 1, bpp
        images.append((size, bpp, planes, bits, data))

    out = bytearray(struct.pack('<HHH', 0, 1 if kind == 'ico' else 2, len(images)))
    offset = 6 + 16 * len(images)
    for size, bpp, planes, bits, data in images:
        dim = 0 if size >= 256 else size
        colour_count = 0 if bpp >= 8 else 1 << bpp
        out += struct.pack('<BBBBHHII', dim, dim, colour_count, 0, planes, bits,
                           len(data), offset)
        offset += len(data)
    for image in images:
        out += image[4]
    with open(out_path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv)

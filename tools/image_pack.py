#!/usr/bin/env python3
"""Packs rendered PNG files into the program's image files, without extra modules.

  image_pack.py ico OUT.ico IN.png...      one icon entry per PNG: 32-bit BMP
                                           entries below 256 px, PNG at 256 px
  image_pack.py rgb OUT.png IN.png         flatten onto white as 24-bit colour
  image_pack.py preview OUT.png IN.png...  contact sheet: each image at 1:1 on
                                           light and dark backgrounds, small
                                           ones also zoomed 8x on a checkerboard
"""
import struct
import sys
import zlib

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def read_png(path):
    """Returns (width, height, RGBA bytes) of an 8-bit, non-interlaced PNG."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != PNG_SIGNATURE:
        raise ValueError(f"{path}: not a PNG file")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    channels = {6: 4, 2: 3}.get(colour)
    if depth != 8 or channels is None or interlace:
        raise ValueError(f"{path}: only 8-bit RGB/RGBA, non-interlaced PNG is supported")
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, prev = [], bytearray(stride)
    for y in range(height):
        filt = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = prev[i]
            c = prev[i - channels] if i >= channels else 0
            if filt == 1:
                line[i] = (line[i] + a) & 255
            elif filt == 2:
                line[i] = (line[i] + b) & 255
            elif filt == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif filt == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 255
        rows.append(line)
        prev = line
    pixels = bytearray()
    for line in rows:
        if channels == 4:
            pixels += line
        else:
            for i in range(0, stride, 3):
                pixels += line[i:i + 3] + b"\xff"
    return width, height, bytes(pixels)


def png_bytes(width, height, pixels, channels):
    """Encodes RGB (channels 3) or RGBA (channels 4) bytes as a PNG file."""
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
    stride = width * channels
    raw = b"".join(b"\x00" + pixels[y * stride:(y + 1) * stride] for y in range(height))
    colour = 6 if channels == 4 else 2
    return (PNG_SIGNATURE +
            chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, colour, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def bmp_entry(width, height, rgba):
    """An icon entry: BITMAPINFOHEADER (double height), bottom-up BGRA, AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    mask_stride = ((width + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(height)):
        row_mask = bytearray(mask_stride)
        for x in range(width):
            r, g, b, a = rgba[(y * width + x) * 4:(y * width + x) * 4 + 4]
            # Fully transparent pixels carry no colour, so old renderers that
            # ignore alpha still show a clean edge through the mask.
            colour += bytes((b, g, r, a)) if a else b"\0\0\0\0"
            if a == 0:
                row_mask[x // 8] |= 0x80 >> (x % 8)
        mask += row_mask
    return header + bytes(colour) + bytes(mask)


def write_ico(out, inputs):
    entries = []
    for path in inputs:
        width, height, rgba = read_png(path)
        if width != height or width > 256:
            raise ValueError(f"{path}: icon images must be square, at most 256 px")
        if width == 256:
            data = png_bytes(width, height, rgba, 4)
        else:
            data = bmp_entry(width, height, rgba)
        entries.append((width, data))
    entries.sort(key=lambda e: e[0])
    offset = 6 + 16 * len(entries)
    directory = struct.pack("<HHH", 0, 1, len(entries))
    for size, data in entries:
        byte_size = size % 256  # 256 is written as 0
        directory += struct.pack("<BBBBHHII", byte_size, byte_size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(out, "wb") as f:
        f.write(directory + b"".join(data for _, data in entries))


def flatten(rgba, background=(255, 255, 255)):
    out = bytearray()
    for i in range(0, len(rgba), 4):
        a = rgba[i + 3]
        for c in range(3):
            out.append((rgba[i + c] * a + background[c] * (255 - a) + 127) // 255)
    return bytes(out)


def write_rgb(out, source):
    width, height, rgba = read_png(source)
    with open(out, "wb") as f:
        f.write(png_bytes(width, height, flatten(rgba), 3))


class Canvas:
    def __init__(self, width, height, colour):
        self.width, self.height = width, height
        self.pixels = bytearray(bytes(colour) * (width * height))

    def fill(self, x0, y0, w, h, colour):
        for y in range(max(y0, 0), min(y0 + h, self.height)):
            for x in range(max(x0, 0), min(x0 + w, self.width)):
                self.pixels[(y * self.width + x) * 3:(y * self.width + x) * 3 + 3] = bytes(colour)

    def blend(self, x0, y0, width, height, rgba, zoom=1):
        for y in range(height * zoom):
            for x in range(width * zoom):
                px, py = x0 + x, y0 + y
                if not (0 <= px < self.width and 0 <= py < self.height):
                    continue
                s = ((y // zoom) * width + x // zoom) * 4
                a = rgba[s + 3]
                d = (py * self.width + px) * 3
                for c in range(3):
                    self.pixels[d + c] = (rgba[s + c] * a + self.pixels[d + c] * (255 - a) + 127) // 255


def write_preview(out, inputs):
    images = [read_png(p) for p in inputs]
    backgrounds = [(255, 255, 255), (240, 240, 240), (32, 32, 32)]
    gap, row_width = 8, 1100
    # Flow layout: small images zoomed to about 128 px over a checkerboard with
    # their 1:1 renderings on three backgrounds below; pictures at 1:1 and 2x.
    cells = []
    for w, h, rgba in images:
        zoom = max(1, 128 // w) if w <= 64 else 1
        cw = 3 * w + gap if w > 64 else max(w * zoom, w + 8)
        ch = 2 * h if w > 64 else h * zoom + gap + 3 * (h + 4)
        cells.append((cw, ch, zoom))
    x = y = gap
    row_height = 0
    places = []
    for cw, ch, _ in cells:
        if x + cw + gap > row_width and x > gap:
            x, y = gap, y + row_height + gap
            row_height = 0
        places.append((x, y))
        x += cw + gap
        row_height = max(row_height, ch)
    canvas = Canvas(row_width, y + row_height + gap, (200, 200, 200))
    for (w, h, rgba), (cw, ch, zoom), (x, y) in zip(images, cells, places):
        if w > 64:
            canvas.fill(x, y, w, h, backgrounds[0])
            canvas.blend(x, y, w, h, rgba)
            canvas.blend(x + w + gap, y, w, h, rgba, 2)
            continue
        for cy in range(h):
            for cx in range(w):
                shade = 255 if (cx + cy) % 2 == 0 else 225
                canvas.fill(x + cx * zoom, y + cy * zoom, zoom, zoom, (shade, shade, shade))
        canvas.blend(x, y, w, h, rgba, zoom)
        for i, bg in enumerate(backgrounds):
            by = y + h * zoom + gap + i * (h + 4)
            canvas.fill(x, by, w + 8, h + 4, bg)
            canvas.blend(x + 4, by + 2, w, h, rgba)
    with open(out, "wb") as f:
        f.write(png_bytes(canvas.width, canvas.height, bytes(canvas.pixels), 3))


def main(argv):
    if len(argv) < 3:
        sys.exit(__doc__)
    command, out, inputs = argv[0], argv[1], argv[2:]
    if command == "ico":
        write_ico(out, inputs)
    elif command == "rgb" and len(inputs) == 1:
        write_rgb(out, inputs[0])
    elif command == "preview":
        write_preview(out, inputs)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])

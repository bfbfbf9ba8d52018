#!/usr/bin/env python3
"""Writes picture-collection files with a writer of our own, independent of
the project's C++ writer, in every bitmap variant, and checks that
`dxgtool export` gives back the same pixels.

Usage: independent_dxg.py DXGTOOL WORKDIR
"""
import struct
import subprocess
import sys
import zlib

W, H = 13, 6  # odd sizes exercise row padding and nibble/bit packing


def picture(palette_size=None):
    """Known pixels as (r, g, b); with a palette size, indices into a palette."""
    pix = []
    for y in range(H):
        row = []
        for x in range(W):
            if palette_size:
                row.append((x * 3 + y * 5) % palette_size)
            else:
                row.append(((x * 37 + y * 11) % 256, (x * 5 + y * 70) % 256, (200 - x * 13 - y * 7) % 256))
        pix.append(row)
    return pix


def make_palette(n):
    return [((i * 97) % 256, (i * 53 + 20) % 256, (255 - i * 31) % 256) for i in range(n)]


def pad4(b):
    return b + b"\0" * (-len(b) % 4)


def info_header(bits, compression=0, height=H, colours=0, image_size=0):
    return struct.pack("<IiiHHIIiiII", 40, W, height, 1, bits, compression, image_size, 2835, 2835, colours, 0)


def rows_bottom_up(rows, top_down):
    return rows if top_down else list(reversed(rows))


def pack_indexed(idx_rows, bits):
    out = []
    for row in idx_rows:
        acc, n, b = 0, 0, bytearray()
        for v in row:
            acc = (acc << bits) | v
            n += bits
            if n == 8:
                b.append(acc)
                acc, n = 0, 0
        if n:
            b.append(acc << (8 - n))
        out.append(pad4(bytes(b)))
    return out


def dib_indexed(bits, top_down=False, core=False):
    n = 1 << bits
    pal = make_palette(n)
    idx = picture(n)
    rows = pack_indexed(rows_bottom_up(idx, top_down), bits)
    if core:
        head = struct.pack("<IHHHH", 12, W, H, 1, bits)
        palb = b"".join(struct.pack("BBB", b, g, r) for r, g, b in pal)
    else:
        head = info_header(bits, height=-H if top_down else H)
        palb = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in pal)
    expect = [[pal[v] for v in row] for row in idx]
    return head + palb + b"".join(rows), expect


def dib_rgb(bits, top_down=False, masks=None):
    pix = picture()
    rows = []
    expect = []
    for row in pix:
        e = []
        b = bytearray()
        for r, g, bl in row:
            if bits == 24:
                b += bytes((bl, g, r))
                e.append((r, g, bl))
            elif bits == 32:
                b += bytes((bl, g, r, 0))
                e.append((r, g, bl))
            elif bits == 16 and masks is None:  # 5-5-5
                v = ((r >> 3) << 10) | ((g >> 3) << 5) | (bl >> 3)
                b += struct.pack("<H", v)
                e.append(tuple(expand(c >> 3, 5) for c in (r, g, bl)))
            else:  # 5-6-5 bit fields
                v = ((r >> 3) << 11) | ((g >> 2) << 5) | (bl >> 3)
                b += struct.pack("<H", v)
                e.append((expand(r >> 3, 5), expand(g >> 2, 6), expand(bl >> 3, 5)))
        rows.append(pad4(bytes(b)))
        expect.append(e)
    data = b"".join(rows_bottom_up(rows, top_down))
    if masks:
        head = info_header(bits, 3, -H if top_down else H) + struct.pack("<III", *masks)
    else:
        head = info_header(bits, 0, -H if top_down else H)
    return head + data, expect


def expand(v, nbits):
    """An n-bit channel widened to 8 bits, rounded to the nearest level."""
    top = (1 << nbits) - 1
    return (v * 255 * 2 + top) // (2 * top)


def dib_rle8():
    pal = make_palette(256)
    idx = picture(256)
    out = bytearray()
    for row in reversed(idx):
        # An encoded run for the first 4 pixels, then the rest absolute.
        out += bytes((4, row[0]))  # run of 4 of the same index: make it so
        rest = row[4:]
        out += bytes((0, len(rest))) + bytes(rest) + (b"\0" if len(rest) % 2 else b"")
        out += b"\0\0"  # end of line
    out += b"\0\1"  # end of bitmap
    head = info_header(8, 1, H, 256, len(out))
    palb = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in pal)
    expect = [[pal[row[0]]] * 4 + [pal[v] for v in row[4:]] for row in idx]
    return head + palb + bytes(out), expect


def dib_rle4():
    pal = make_palette(16)
    idx = picture(16)
    out = bytearray()
    for row in reversed(idx):
        # A run of 3 alternating the first two indices, then absolute pixels.
        out += bytes((3, (row[0] << 4) | row[1]))
        rest = row[3:]
        packed = bytearray()
        for i in range(0, len(rest), 2):
            hi = rest[i]
            lo = rest[i + 1] if i + 1 < len(rest) else 0
            packed.append((hi << 4) | lo)
        out += bytes((0, len(rest))) + packed + (b"\0" if len(packed) % 2 else b"")
        out += b"\0\0"
    out += b"\0\1"
    head = info_header(4, 2, H, 16, len(out))
    palb = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in pal)
    expect = [[pal[row[0]], pal[row[1]], pal[row[0]]] + [pal[v] for v in row[3:]] for row in idx]
    return head + palb + bytes(out), expect


def bitmap_file(dib):
    """A whole bitmap file (TBitmap's data) around a DIB with a 40-byte header."""
    head_size = struct.unpack_from("<I", dib)[0]
    bits = struct.unpack_from("<H", dib, 14)[0]
    pal = (1 << bits) * 4 if bits <= 8 else 0
    off = 14 + head_size + pal
    return b"BM" + struct.pack("<IHHI", 14 + len(dib), 0, 0, off) + dib


# ---- the container, written independently

def s(b):
    return bytes((len(b),)) + b


def prop(name, value):
    return s(name.encode()) + value


def v_int(n):
    if -128 <= n <= 127:
        return b"\x02" + struct.pack("<b", n)
    if -32768 <= n <= 32767:
        return b"\x03" + struct.pack("<h", n)
    return b"\x04" + struct.pack("<i", n)


def v_str(t):
    return b"\x06" + s(t.encode())


def v_bool(b):
    return b"\x09" if b else b"\x08"


def v_bin(data):
    return b"\x0a" + struct.pack("<I", len(data)) + data


def item(name, cls, payload, index=None):
    data = s(cls.encode()) + payload
    body = (prop("Name", v_str(name)) + prop("PatternHeight", v_int(0)) + prop("Picture.Data", v_bin(data))
            + prop("PatternWidth", v_int(0)) + prop("SystemMemory", v_bool(False))
            + prop("Transparent", v_bool(False)) + prop("TransparentColor", b"\x07" + s(b"clFuchsia")))
    prefix = b"" if index is None else v_int(index)
    return prefix + b"\x01" + body + b"\0"


def dxg(items):
    name = b"TPICTURECOLLECTIONCOMPONENT"
    stream = (b"TPF0" + s(b"TPictureCollectionComponent") + s(b"Images")
              + prop("List.ColorTable", v_bin(bytes(1024)))
              + prop("List", b"\x0e" + b"".join(items) + b"\0") + b"\0\0")
    header = b"\xff" + struct.pack("<H", 10) + name + b"\0" + struct.pack("<HI", 0x1030, len(stream))
    return header + stream


def read_png_rgb(path):
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    pos, idat, w, h = 8, b"", 0, 0
    while pos < len(data):
        length, kind = struct.unpack_from(">I4s", data, pos)
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            w, h, depth, ctype = struct.unpack_from(">IIBB", body)
            assert depth == 8 and ctype == 2, (depth, ctype)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride, prev, rows, i = w * 3, bytearray(w * 3), [], 0
    for _ in range(h):
        f, line = raw[i], bytearray(raw[i + 1:i + 1 + stride])
        i += 1 + stride
        for x in range(stride):
            a = line[x - 3] if x >= 3 else 0
            b = prev[x]
            c = prev[x - 3] if x >= 3 else 0
            if f == 1:
                line[x] = (line[x] + a) & 255
            elif f == 2:
                line[x] = (line[x] + b) & 255
            elif f == 3:
                line[x] = (line[x] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pr = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[x] = (line[x] + pr) & 255
        rows.append([tuple(line[3 * x:3 * x + 3]) for x in range(w)])
        prev = line
    return rows


def main():
    dxgtool, work = sys.argv[1], sys.argv[2]
    variants = [
        ("1-bit", *dib_indexed(1)),
        ("4-bit", *dib_indexed(4)),
        ("8-bit", *dib_indexed(8)),
        ("8-bit top-down", *dib_indexed(8, top_down=True)),
        ("4-bit core header", *dib_indexed(4, core=True)),
        ("16-bit 5-5-5", *dib_rgb(16)),
        ("16-bit 5-6-5 bit fields", *dib_rgb(16, masks=(0xF800, 0x07E0, 0x001F))),
        ("24-bit", *dib_rgb(24)),
        ("24-bit top-down", *dib_rgb(24, top_down=True)),
        ("32-bit", *dib_rgb(32)),
        ("RLE8", *dib_rle8()),
        ("RLE4", *dib_rle4()),
    ]
    items = []
    for i, (name, dib, _) in enumerate(variants):
        items.append(item(name, "TDIB", dib, index=i if i % 2 else None))
    # The same 24-bit picture as a whole bitmap file (TBitmap).
    dib24, expect24 = dib_rgb(24)
    bmp = bitmap_file(dib24)
    items.append(item("bitmap", "TBitmap", struct.pack("<I", len(bmp)) + bmp))
    variants.append(("TBitmap", dib24, expect24))
    path = f"{work}/independent.dxg"
    open(path, "wb").write(dxg(items))
    info = subprocess.run([dxgtool, "info", path], capture_output=True, text=True)
    assert info.returncode == 0, info.stderr
    lines = info.stdout.strip().splitlines()
    assert lines[0] == f"TPictureCollectionComponent items={len(variants)}", lines[0]
    bad = 0
    for i, (name, _, expect) in enumerate(variants):
        out = f"{work}/item{i}.png"
        r = subprocess.run([dxgtool, "export", path, str(i), out], capture_output=True, text=True)
        if r.returncode != 0:
            print(f"{name}: export failed: {r.stderr.strip()}")
            bad += 1
            continue
        got = read_png_rgb(out)
        if got != expect:
            diffs = [(x, y, got[y][x], expect[y][x]) for y in range(H) for x in range(W)
                     if y < len(got) and x < len(got[y]) and got[y][x] != expect[y][x]]
            print(f"{name}: pixels differ, e.g. {diffs[:3]} (size {len(got[0]) if got else 0}x{len(got)})")
            bad += 1
    print(f"{len(variants) - bad} passed, {bad} failed")
    sys.exit(1 if bad else 0)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
# tests/e2e/e2e.py — what the real-window tests measure in screenshots, in the
# captured sound and on the X server.
#
# Pictures are read from binary PPM (screenshots: `import -window root ppm:`)
# or 8-bit PNG (the simulator's shots, dxgtool's exports); nothing beyond the
# standard library is used. Each subcommand prints what it measured and exits
# 0 when the check holds, 1 when it does not, 2 on bad use.
#
#   menu SHOT REF X,Y ITEM.png[@DX,DY]... [--hidden|--changed]
#       The opaque pixels of the items, placed at (X+DX, Y+DY), must equal REF
#       there (REF "-" means the items themselves, later ones on top). With
#       --hidden most of them must differ instead, with --changed some.
#   status SHOT REF...    status line: "FPS: " and ", Explosions0" as in the
#                         references (several skies), the rate's digits not compared
#   pose SHOT X,Y ITEM.png...   prints the index of the item drawn at (X, Y)
#   shift A B             prints the vertical scroll of the stars from A to B
#   rotate A B CX,CY      prints the turn of the stars about (CX, CY), degrees
#   count SHOT X0,Y0,X1,Y1 COLOUR   prints the pixels of a colour class
#   blobs SHOT X0,Y0,X1,Y1 COLOUR   prints the heights of that colour's blobs
#   scaled SHOT W,H|REF X,Y ITEM.png[@DX,DY]... [--max-rmse R]
#       a W x H picture (or one like REF) shown scaled to fit SHOT with black
#       bars: the items placed at (X, Y) of it, with their own pixels (or
#       REF's), must show where the scaling puts them
#   same A B              two pictures are the same
#   onsets WAV            prints the onset times (ms) of the sounds in WAV
#   close WINDOW          asks an X window to close, as a window manager does
#   msgbox TITLE TEXT     shows SDL's own error box with TITLE and TEXT

import ctypes
import ctypes.util
import math
import os
import re
import struct
import sys
import zlib


class Image:
    def __init__(self, width, height, rgb):
        self.w, self.h, self.rgb = width, height, rgb

    def px(self, x, y):
        i = 3 * (y * self.w + x)
        return self.rgb[i], self.rgb[i + 1], self.rgb[i + 2]


def read_ppm(data):
    fields, pos = [], 2
    while len(fields) < 3:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(int(data[pos:end]))
        pos = end
    width, height, maxval = fields
    pos += 1
    if maxval != 255:
        raise ValueError("PPM with maxval %d" % maxval)
    return Image(width, height, data[pos:pos + 3 * width * height])


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def read_png(data):
    pos, idat, palette = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, ctype, _, _, interlace = struct.unpack(">IIBBBBB", body)
        elif kind == b"PLTE":
            palette = body
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    if depth != 8 or interlace:
        raise ValueError("only 8-bit, non-interlaced PNG")
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[ctype]
    stride = width * channels
    raw = zlib.decompress(idat)
    rows, prev = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = prev[i]
            c = prev[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + ((a + b) >> 1)) & 255
            elif kind == 4:
                line[i] = (line[i] + paeth(a, b, c)) & 255
        rows.append(bytes(line))
        prev = line
    out = bytearray()
    for line in rows:
        if ctype == 2:
            out += line
        elif ctype == 6:
            for i in range(0, stride, 4):
                out += line[i:i + 3]
        elif ctype == 3:
            for v in line:
                out += palette[3 * v:3 * v + 3]
        else:
            for i in range(0, stride, channels):
                out += bytes((line[i],) * 3)
    return Image(width, height, bytes(out))


def read_image(path):
    # A decoded PNG is kept beside it as PPM: the references are read by
    # many checks, and decoding in Python is slow.
    cache = path + ".ppm"
    if path.endswith(".png") and os.path.exists(cache) and os.path.getmtime(cache) >= os.path.getmtime(path):
        path = cache
    data = open(path, "rb").read()
    if data[:8] == b"\x89PNG\r\n\x1a\n":
        img = read_png(data)
        with open(cache + ".tmp", "wb") as out:
            out.write(b"P6\n%d %d\n255\n" % (img.w, img.h) + img.rgb)
        os.replace(cache + ".tmp", cache)
        return img
    if data[:2] == b"P6":
        return read_ppm(data)
    raise ValueError("%s: neither PNG nor binary PPM" % path)


def pair(text):
    a, b = text.split(",")
    return int(a), int(b)


def placed_items(origin, placements):
    """(image, x, y) for ITEM.png[@DX,DY] placements relative to origin."""
    out = []
    for placement in placements:
        path, _, offset = placement.partition("@")
        dx, dy = pair(offset) if offset else (0, 0)
        out.append((read_image(path), origin[0] + dx, origin[1] + dy))
    return out


ZEROS = re.compile(b"\\x00+")


def opaque_runs(img):
    """Per row, the [x0, x1) runs of pixels that are not black (not transparent)."""
    runs = []
    for y in range(img.h):
        row = img.rgb[3 * y * img.w:3 * (y + 1) * img.w]
        spans, x = [], 0
        for m in ZEROS.finditer(row):
            # The black pixels are those wholly inside a run of zero bytes.
            a, b = -(-m.start() // 3), m.end() // 3
            if b <= a:
                continue
            if a > x:
                spans.append((x, a))
            x = b
        if x < img.w:
            spans.append((x, img.w))
        runs.append(spans)
    return runs


class Layers:
    """Items composited on a canvas, later ones on top, with the mask of
    their opaque pixels."""

    def __init__(self, items):
        self.w = max(ox + img.w for img, ox, _ in items)
        self.h = max(oy + img.h for img, _, oy in items)
        self.rgb = bytearray(3 * self.w * self.h)
        self.mask = bytearray(self.w * self.h)
        for img, ox, oy in items:
            for y, spans in enumerate(opaque_runs(img)):
                for a, b in spans:
                    i = (oy + y) * self.w + ox
                    self.rgb[3 * (i + a):3 * (i + b)] = img.rgb[3 * (y * img.w + a):3 * (y * img.w + b)]
                    self.mask[i + a:i + b] = b"\1" * (b - a)

    def runs(self):
        """(y, x0, x1) of the opaque runs."""
        for y in range(self.h):
            row = self.mask[y * self.w:(y + 1) * self.w]
            for m in re.finditer(b"\\x01+", row):
                yield y, m.start(), m.end()

    def opaque(self, x, y):
        return 0 <= x < self.w and 0 <= y < self.h and self.mask[y * self.w + x]

    def px(self, x, y):
        i = 3 * (y * self.w + x)
        return self.rgb[i], self.rgb[i + 1], self.rgb[i + 2]


def cmd_menu(args):
    hidden, changed = "--hidden" in args, "--changed" in args
    args = [a for a in args if a not in ("--hidden", "--changed")]
    shot = read_image(args[0])
    ref = None if args[1] == "-" else read_image(args[1])
    layers = Layers(placed_items(pair(args[2]), args[3:]))
    total = differ = 0
    for y, a, b in layers.runs():
        got = shot.rgb[3 * (y * shot.w + a):3 * (y * shot.w + b)]
        if ref is not None:
            want = ref.rgb[3 * (y * ref.w + a):3 * (y * ref.w + b)]
        else:
            want = bytes(layers.rgb[3 * (y * layers.w + a):3 * (y * layers.w + b)])
        total += b - a
        if got != want:
            differ += sum(got[i:i + 3] != want[i:i + 3] for i in range(0, len(got), 3))
    frac = differ / max(total, 1)
    print("menu: %d of %d opaque pixels differ (%.4f)" % (differ, total, frac))
    if hidden:
        return 0 if frac > 0.5 else 1
    if changed:
        return 0 if frac > 0.01 else 1
    return 0 if differ == 0 else 1


def text_columns(img, rows):
    return [any(max(img.px(x, y)) > 40 for y in rows) for x in range(img.w)]


def cmd_status(args):
    # Stars lie behind the text; the darkest of several references with
    # different skies keeps the text alone.
    shot, refs = read_image(args[0]), [read_image(p) for p in args[1:]]
    ref = Image(refs[0].w, refs[0].h, bytes(map(min, *(r.rgb for r in refs))) if len(refs) > 1 else refs[0].rgb)
    rows = range(0, 19)
    cols = text_columns(ref, rows)
    lit = [x for x in range(400) if cols[x]]
    if not lit:
        print("status: the references show no status line")
        return 1
    end = max(lit) + 1
    # The two widest gaps inside the text are the spaces after "FPS:" and
    # after the comma; the rate's digits lie between them.
    gaps, x = [], min(lit)
    while x < end:
        if not cols[x]:
            start = x
            while x < end and not cols[x]:
                x += 1
            gaps.append((x - start, start, x))
        x += 1
    if len(gaps) < 2:
        print("status: the references show no spaces in the status line")
        return 1
    first, second = sorted(sorted(gaps, reverse=True)[:2], key=lambda g: g[1])
    missing = 0
    for region in (range(0, first[1]), range(second[1], end)):
        for y in rows:
            for x in region:
                want = ref.px(x, y)
                if max(want) > 40 and min(shot.px(x, y)) < min(want) - 24:
                    missing += 1
    print("status: \"FPS:\" x<%d, \", Explosions0\" x in [%d,%d): %d text pixels missing"
          % (first[1], second[1], end, missing))
    return 0 if missing == 0 else 1


def cmd_pose(args):
    shot = read_image(args[0])
    x0, y0 = pair(args[1])
    scores = []
    for path in args[2:]:
        img = read_image(path)
        opaque = same = 0
        for y in range(img.h):
            for x in range(img.w):
                p = img.px(x, y)
                if p != (0, 0, 0):
                    opaque += 1
                    same += shot.px(x0 + x, y0 + y) == p
        scores.append(same / max(opaque, 1))
    best = max(range(len(scores)), key=lambda i: scores[i])
    print("%d %.3f" % (best, scores[best]))
    return 0 if scores[best] > 0.98 else 1


# Stars: bright local maxima away from the fixed parts of the screen (status
# lines, energy bar, radar, the ship).
FIXED = [(0, 0, 260, 80), (400, 0, 680, 60), (640, 0, 960, 250), (440, 330, 590, 440)]


def star_points(img):
    pts = []
    candidates = sorted({m.start() // 3 for m in re.finditer(b"[\\xc8-\\xff]", img.rgb)})
    for i in candidates:
        x, y = i % img.w, i // img.w
        if not (0 < x < img.w - 1 and 0 < y < img.h - 1):
            continue
        v = sum(img.px(x, y))
        if v < 600 or any(a <= x < c and b <= y < d for a, b, c, d in FIXED):
            continue
        if all(v >= sum(img.px(x + i, y + j)) for i in (-1, 0, 1) for j in (-1, 0, 1)):
            pts.append((x, y))
    return pts


def near_set(pts, reach):
    return {(x + i, y + j) for x, y in pts for i in range(-reach, reach + 1) for j in range(-reach, reach + 1)}


def cmd_shift(args):
    a, b = star_points(read_image(args[0])), star_points(read_image(args[1]))
    target = near_set(b, 1)
    best = max(range(-400, 401), key=lambda dy: sum((x, y + dy) in target for x, y in a))
    hits = sum((x, y + best) in target for x, y in a)
    still = sum(p in target for p in a)
    print("%d %d %d %d" % (best, hits, still, len(a)))
    return 0


def cmd_rotate(args):
    a, b = star_points(read_image(args[0])), star_points(read_image(args[1]))
    cx, cy = pair(args[2])
    target = near_set(b, 2)
    a = [(x, y) for x, y in a if math.hypot(x - cx, y - cy) > 80]

    def hits(deg):
        c, s = math.cos(math.radians(deg)), math.sin(math.radians(deg))
        n = 0
        for x, y in a:
            dx, dy = x - cx, y - cy
            n += (round(cx + dx * c - dy * s), round(cy + dx * s + dy * c)) in target
        return n

    angles = [i / 4 for i in range(-240, 241)]
    best = max(angles, key=hits)
    print("%.2f %d %d %d" % (best, hits(best), hits(0), len(a)))
    return 0


COLOURS = {
    # the plasma's cyan-blue glow
    "plasma": lambda r, g, b: b > 180 and g > 120 and r < 0.75 * b and b - r > 60,
}


def cmd_count(args):
    shot = read_image(args[0])
    x0, y0, x1, y1 = (int(v) for v in args[1].split(","))
    test = COLOURS[args[2]]
    n = sum(test(*shot.px(x, y)) for y in range(y0, y1) for x in range(x0, x1))
    print(n)
    return 0


def cmd_blobs(args):
    """The vertical centres of the groups of rows that hold the colour,
    leaving out groups cut by the region's top or bottom."""
    shot = read_image(args[0])
    x0, y0, x1, y1 = (int(v) for v in args[1].split(","))
    test = COLOURS[args[2]]
    rows = [sum(test(*shot.px(x, y)) for x in range(x0, x1)) for y in range(y0, y1)]
    groups, y = [], 0
    while y < len(rows):
        if rows[y]:
            start, gap = y, 0
            while y < len(rows) and gap <= 3:
                gap = 0 if rows[y] else gap + 1
                y += 1
            end = y - gap
            weight = sum(rows[start:end])
            if start > 0 and end < len(rows) and weight >= 10:
                groups.append(y0 + sum((start + i) * rows[start + i] for i in range(end - start)) / weight)
        y += 1
    print(" ".join("%.1f" % g for g in groups))
    return 0


def bilinear(layers, u, v):
    """The GL_LINEAR sample at texel coordinates (u, v), or None if a tap is transparent."""
    x, y = math.floor(u), math.floor(v)
    fx, fy = u - x, v - y
    points = ((x, y), (x + 1, y), (x, y + 1), (x + 1, y + 1))
    if not all(layers.opaque(*p) for p in points):
        return None
    taps = [layers.px(*p) for p in points]
    w = ((1 - fx) * (1 - fy), fx * (1 - fy), (1 - fx) * fy, fx * fy)
    return [sum(w[k] * taps[k][c] for k in range(4)) for c in range(3)]


def cmd_scaled(args):
    max_rmse = 10.0
    if "--max-rmse" in args:
        i = args.index("--max-rmse")
        max_rmse = float(args[i + 1])
        del args[i:i + 2]
    shot = read_image(args[0])
    layers = Layers(placed_items(pair(args[2]), args[3:]))
    if "," in args[1]:
        sw, sh = pair(args[1])
    else:
        # A reference picture of the unscaled screen gives the expected pixels.
        ref = read_image(args[1])
        sw, sh = ref.w, ref.h
        for y, a, b in layers.runs():
            layers.rgb[3 * (y * layers.w + a):3 * (y * layers.w + b)] = ref.rgb[3 * (y * ref.w + a):3 * (y * ref.w + b)]
    scale = min(shot.w / sw, shot.h / sh)
    vw, vh = round(sw * scale), round(sh * scale)
    ox, oy = (shot.w - vw) // 2, (shot.h - vh) // 2
    # Bars: everything outside the picture is black.
    bar = [(x, y) for y in list(range(0, oy - 2)) + list(range(oy + vh + 2, shot.h)) for x in range(shot.w)]
    bar += [(x, y) for x in list(range(0, ox - 2)) + list(range(ox + vw + 2, shot.w)) for y in range(shot.h)]
    lit = sum(shot.px(x, y) != (0, 0, 0) for x, y in bar)
    spans = list(layers.runs())
    x_lo, x_hi = min(a for _, a, _ in spans), max(b for _, _, b in spans)
    y_lo, y_hi = spans[0][0], spans[-1][0] + 1
    sx0, sx1 = math.floor(ox + x_lo * scale), math.ceil(ox + x_hi * scale)
    sy0, sy1 = math.floor(oy + y_lo * scale), math.ceil(oy + y_hi * scale)
    err, n = 0.0, 0
    for y in range(max(sy0, 0), min(sy1, shot.h)):
        v = (y + 0.5 - oy) / scale - 0.5
        for x in range(max(sx0, 0), min(sx1, shot.w)):
            want = bilinear(layers, (x + 0.5 - ox) / scale - 0.5, v)
            if want is None:
                continue
            got = shot.px(x, y)
            err += sum((got[c] - want[c]) ** 2 for c in range(3)) / 3
            n += 1
    rmse = math.sqrt(err / max(n, 1))
    print("scaled: %dx%d at (%d,%d) x%.4f; %d bar pixels lit; rmse %.2f over %d pixels"
          % (vw, vh, ox, oy, scale, lit, rmse, n))
    return 0 if lit == 0 and n > 1000 and rmse <= max_rmse else 1


def cmd_same(args):
    a, b = read_image(args[0]), read_image(args[1])
    if (a.w, a.h) != (b.w, b.h):
        print("same: sizes %dx%d and %dx%d" % (a.w, a.h, b.w, b.h))
        return 1
    differ = sum(a.rgb[i:i + 3] != b.rgb[i:i + 3] for i in range(0, len(a.rgb), 3))
    print("same: %d of %d pixels differ" % (differ, a.w * a.h))
    return 0 if differ == 0 else 1


def read_wav_channel0(path):
    """Channel 0 of a RIFF wave as floats in [-1, 1]. The data chunk may still
    carry the size a writer puts there before it closes the file."""
    data = open(path, "rb").read()
    if data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        raise ValueError("not a RIFF wave")
    pos, fmt = 12, None
    while pos + 8 <= len(data):
        kind, size = struct.unpack("<4sI", data[pos:pos + 8])
        if kind == b"fmt ":
            fmt = data[pos + 8:pos + 8 + size]
        elif kind == b"data":
            body = data[pos + 8:]
            if 0 < size <= len(body):
                body = body[:size]
            break
        pos += 8 + size + (size & 1)
    tag, channels, rate, _, align, bits = struct.unpack("<HHIIHH", fmt[:16])
    if tag == 0xFFFE:
        tag = struct.unpack("<H", fmt[24:26])[0]
    count = len(body) // align
    if tag == 3 and bits == 32:
        values = struct.unpack("<%df" % (count * channels), body[:count * align])
        scale = 1.0
    elif tag == 1 and bits in (16, 32):
        code = "h" if bits == 16 else "i"
        values = struct.unpack("<%d%s" % (count * channels, code), body[:count * align])
        scale = 1.0 / (1 << (bits - 1))
    else:
        raise ValueError("wave format %d with %d bits" % (tag, bits))
    return rate, [v * scale for v in values[0::channels]]


def cmd_onsets(args):
    rate, samples = read_wav_channel0(args[0])
    win = rate // 200  # 5 ms
    levels = []
    for i in range(0, len(samples) - win, win):
        seg = samples[i:i + win]
        levels.append(math.sqrt(sum(s * s for s in seg) / win))
    peak = max(levels) if levels else 0.0
    onsets, quiet = [], True
    for i, level in enumerate(levels):
        if quiet and level > 0.3 * peak:
            onsets.append(round(i * 5))
            quiet = False
        elif level < 0.05 * peak:
            quiet = True
    print("peak %.4f onsets %s" % (peak, " ".join(str(t) for t in onsets)))
    return 0 if peak > 0.001 else 1


def cmd_close(args):
    x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                    ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 12)]

    display = x11.XOpenDisplay(None)
    if not display:
        print("close: no X display")
        return 1
    window = int(args[0], 0)
    event = ClientMessage()
    event.type = 33  # ClientMessage
    event.window = window
    event.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
    event.format = 32
    event.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    event.data[1] = 0  # CurrentTime
    ok = x11.XSendEvent(display, window, 0, 0, ctypes.byref(event))
    x11.XFlush(display)
    x11.XCloseDisplay(display)
    print("close: WM_DELETE_WINDOW sent to 0x%x" % window)
    return 0 if ok else 1


def cmd_msgbox(args):
    sdl = ctypes.CDLL(ctypes.util.find_library("SDL2-2.0") or "libSDL2-2.0.so.0")
    sdl.SDL_ShowSimpleMessageBox.argtypes = [ctypes.c_uint32, ctypes.c_char_p, ctypes.c_char_p, ctypes.c_void_p]
    SDL_MESSAGEBOX_ERROR = 0x10
    return 0 if sdl.SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, args[0].encode(), args[1].encode(), None) == 0 else 1


COMMANDS = {
    "menu": cmd_menu, "status": cmd_status, "pose": cmd_pose, "shift": cmd_shift, "rotate": cmd_rotate,
    "count": cmd_count, "blobs": cmd_blobs, "scaled": cmd_scaled, "same": cmd_same, "onsets": cmd_onsets, "close": cmd_close,
    "msgbox": cmd_msgbox,
}

if __name__ == "__main__":
    if len(sys.argv) < 2 or sys.argv[1] not in COMMANDS:
        print(__doc__ or "usage: e2e.py COMMAND ...", file=sys.stderr)
        sys.exit(2)
    sys.exit(COMMANDS[sys.argv[1]](sys.argv[2:]))

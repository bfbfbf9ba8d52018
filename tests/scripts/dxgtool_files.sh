#!/usr/bin/env bash
# dxgtool on real files: info lines of the game's assets and of collections
# packed from manifests, exported pictures and waves, unpack/pack round
# trips, and the error texts and exit statuses of bad input.
set -euo pipefail
: "${GAME_DIR:?}" "${SOURCE_DIR:?}"
tool="$GAME_DIR/dxgtool"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Small PNG and BMP reader/writer for the checks (RGB, 8 bits).
cat > png.py <<'PY'
import struct, sys, zlib

def write_png(path, w, h, pixel):
    raw = b"".join(b"\0" + bytes(c for x in range(w) for c in pixel(x, y)) for y in range(h))
    def chunk(t, d):
        return struct.pack(">I", len(d)) + t + d + struct.pack(">I", zlib.crc32(t + d))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))

def write_bmp(path, w, h, pixel):
    row = (w * 3 + 3) & ~3
    data = b"".join(bytes(c for x in range(w) for c in reversed(pixel(x, y))).ljust(row, b"\0")
                    for y in reversed(range(h)))
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", 54 + len(data), 0, 0, 54))
        f.write(struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 0, 0, 0, 0) + data)

def read_png(path):
    b = open(path, "rb").read()
    assert b[:8] == b"\x89PNG\r\n\x1a\n"
    at, idat = 8, b""
    while at < len(b):
        n, = struct.unpack(">I", b[at:at + 4]); t = b[at + 4:at + 8]; d = b[at + 8:at + 8 + n]; at += 12 + n
        if t == b"IHDR":
            w, h, depth, ctype = struct.unpack(">IIBB", d[:10])
            assert (depth, ctype) == (8, 2), "not 8-bit RGB"
        elif t == b"IDAT":
            idat += d
    raw, stride, rows, prev = zlib.decompress(idat), w * 3, [], bytearray(w * 3)
    for y in range(h):
        f, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - 3] if i >= 3 else 0; up = prev[i]; c = prev[i - 3] if i >= 3 else 0
            if f == 1: line[i] = (line[i] + a) & 255
            elif f == 2: line[i] = (line[i] + up) & 255
            elif f == 3: line[i] = (line[i] + (a + up) // 2) & 255
            elif f == 4:
                p = a + up - c; pa, pb, pc = abs(p - a), abs(p - up), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else up if pb <= pc else c)) & 255
        rows.append(bytes(line)); prev = line
    return w, h, rows

def coded(x, y):
    return ((x * 7) & 255, (y * 11) & 255, (x + y) & 255 | 1)

if __name__ == "__main__":
    cmd = sys.argv[1]
    if cmd == "png": write_png(sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), coded)
    elif cmd == "bmp": write_bmp(sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), coded)
    elif cmd == "same":  # an exported PNG holds exactly the coded pixels
        w, h, rows = read_png(sys.argv[2])
        assert (w, h) == (int(sys.argv[3]), int(sys.argv[4])), (w, h)
        for y in range(h):
            assert rows[y] == bytes(c for x in range(w) for c in coded(x, y)), "row %d differs" % y
PY
py() { python3 png.py "$@"; }
fails() {  # fails STATUS TEXT command...: the command exits with STATUS and says TEXT on stderr
    local status=$1 text=$2; shift 2
    set +e; "$@" >out.txt 2>err.txt; local got=$?; set -e
    [ "$got" = "$status" ] || { echo "exit $got, wanted $status: $*"; cat err.txt; exit 1; }
    grep -qF -- "$text" err.txt || { echo "stderr lacks '$text': $*"; cat err.txt; exit 1; }
}

# ---- the game's assets
"$tool" info "$GAME_DIR"/gfx/*.dxg "$GAME_DIR/sfx/weapons.dxw" > assets.txt
python3 "$SOURCE_DIR/tests/tools/formats.py" info < assets.txt > /dev/null
[ "$(grep -c '^TPictureCollectionComponent items=' assets.txt)" = 11 ]
grep -q '^TWaveCollectionComponent items=[1-9]' assets.txt

# ---- a picture collection from a manifest
py png strip.png 320 32
py png wide.png 100 32
py bmp shot.bmp 17 9
cat > pictures.txt <<'M'
# the test's pictures
collection picture
item file=strip.png name="strip" patternWidth=32 patternHeight=32 transparentColor=clFuchsia
item file="wide.png" name="gaps \"2\"" patternWidth=32 patternHeight=32 skipWidth=2 transparent=0
item file=shot.bmp class=TBitmap name=shot systemMemory=1
item file=strip.png class=TJPEGImage quality=95 name=jpeg
item file=- name=empty
M
"$tool" pack pictures.txt pictures.dxg
"$tool" info pictures.dxg > info.txt
python3 "$SOURCE_DIR/tests/tools/formats.py" info < info.txt > /dev/null
diff - <(head -4 info.txt) <<'I'
TPictureCollectionComponent items=5
0 name="strip" class=TDIB width=320 height=32 patternWidth=32 patternHeight=32 skipWidth=0 skipHeight=0 patterns=10 transparent=1 transparentColor=0x00FF00FF systemMemory=0
1 name="gaps \"2\"" class=TDIB width=100 height=32 patternWidth=32 patternHeight=32 skipWidth=2 skipHeight=0 patterns=3 transparent=0 transparentColor=0x00000000 systemMemory=0
2 name="shot" class=TBitmap width=17 height=9 patternWidth=0 patternHeight=0 skipWidth=0 skipHeight=0 patterns=1 transparent=1 transparentColor=0x00000000 systemMemory=1
I
grep -q '^3 name="jpeg" class=TJPEGImage width=320 height=32 ' info.txt
grep -q '^4 name="empty" class=none width=0 height=0 .* patterns=0 ' info.txt

# Exports hold exactly the pixels that went in (JPEG aside).
"$tool" export pictures.dxg 0 strip-out.png
py same strip-out.png 320 32
"$tool" export pictures.dxg 2 shot-out.png
py same shot-out.png 17 9

# Unpacking and packing again gives the same file, byte for byte.
"$tool" unpack pictures.dxg unpacked
ls unpacked/002.bmp unpacked/003.jpg > /dev/null
"$tool" pack unpacked/manifest.txt repacked.dxg
cmp pictures.dxg repacked.dxg
for f in "$GAME_DIR"/gfx/ship2.dxg "$GAME_DIR/sfx/weapons.dxw"; do
    rm -rf u; "$tool" unpack "$f" u
    "$tool" pack u/manifest.txt "again.${f##*.}"
    cmp "$f" "again.${f##*.}"
done

# ---- waves
"$tool" export "$GAME_DIR/sfx/weapons.dxw" 0 shot.wav
[ "$(head -c 4 shot.wav)" = RIFF ]
[ "$(soxi -t shot.wav)" = wav ]

# ---- failures
fails 1 "Datei nothere.dxg kann nicht geöffnet werden" "$tool" info nothere.dxg
printf '\376' | dd of=pictures.dxg bs=1 count=1 conv=notrunc 2>/dev/null
fails 1 "Ungültiges Stream-Format" "$tool" info pictures.dxg
fails 1 "Listenindex überschreitet das Maximum (7)" "$tool" export repacked.dxg 7 x.png
fails 1 "has no picture" "$tool" export repacked.dxg 4 x.png
fails 1 "'two' ist kein gültiger Integerwert" "$tool" export repacked.dxg two x.png
fails 2 "usage:" "$tool" pack only-one-argument
fails 2 "usage:" "$tool" frobnicate a b
printf 'collection picture\nitem file=strip.png colour=3\n' > bad.txt
fails 1 "bad.txt:2: unknown field colour" "$tool" pack bad.txt bad.dxg
printf 'collection picture\nitem file=missing.png\n' > bad.txt
fails 1 "missing.png kann nicht geöffnet werden" "$tool" pack bad.txt bad.dxg
printf 'item file=strip.png\n' > bad.txt
fails 1 "bad.txt:1: the manifest starts with collection" "$tool" pack bad.txt bad.dxg
# One bad file among good ones: the good blocks are printed, the status is 1.
fails 1 "Ungültiges Stream-Format" "$tool" info repacked.dxg pictures.dxg
grep -q '^TPictureCollectionComponent items=5$' out.txt
echo "dxgtool files: all checks passed"

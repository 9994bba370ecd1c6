#!/usr/bin/env python3
"""Turns RemotePanel's artwork sources (text grids in res/art/) into Windows resource files.

A source file is named after the file it makes: "program.ico.txt" makes "program.ico",
"toolbar.bmp.txt" makes "toolbar.bmp", "help.cur.txt" makes "help.cur". Its layout:

    # comment lines and blank lines are allowed outside the grids
    kind: icon | bitmap | cursor | strip  (must agree with the file name; a strip is a .bmp)
    id: 97                              (the resource id, for the reader; art.rc is what binds it)
    transparent: .                      (icons and cursors: the character that leaves the screen as it is)
    hotspot: 0,0                        (cursors: the pixel that points, x,y from the top left)
    icons: a.ico b.ico                  (strips: the icons whose images stand side by side)
    size: 16                            (strips: which image of each icon, by its width)
    key: M                              (strips: the colour that stands for the icons' transparent pixels)

    image: 32x32 optional words naming the image
    <32 rows of 32 characters, one per pixel>

Every "image:" line is followed by exactly as many rows as the image is high, each exactly as
wide as the image; the rows cannot hold comments. The characters are the colours of
res/art/palette.txt (the standard 16-colour VGA palette) plus the file's transparent character.

- icon: one image per size (32x32 and/or 16x16), each written as a 4-bit image with its AND mask.
- bitmap: the images are placed side by side, left to right, in one 4-bit bottom-up DIB
  (a toolbar strip is four 16x16 images); no transparent character.
- cursor: one 32x32 image of black, white and transparent pixels, written as a monochrome cursor.
- strip: no images of its own: the images of the named icons side by side in one 4-bit bitmap, the
  transparent pixels in the key colour, which no icon may use (an image list's strip: it masks the
  key colour off).

The pictures are drawn for 96 dots per inch. For screens of 150 % and 200 % the generator makes them
larger too, by repeating pixels (nearest neighbour: pixel art stays sharp, at 150 % every other
pixel is doubled): an icon or cursor file holds its drawn images and those enlarged to 1.5 and 2
times (a size that is drawn is not made again), and a bitmap or strip NAME.bmp comes with
NAME-150.bmp and NAME-200.bmp.

The output depends only on the sources: the same sources give the same bytes.

Usage:
    artgen.py --out DIR SOURCE...            write the resource files into DIR
    artgen.py --preview OUT.png SOURCE...    render every picture enlarged into one PNG
"""

import argparse
import os
import struct
import sys
import zlib

# The standard 16-colour VGA palette in Windows order; every 4-bit image uses it as its colour table.
VGA = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, WHITE = 0, 15
KINDS = {"icon": ".ico", "bitmap": ".bmp", "cursor": ".cur", "strip": ".bmp"}
ICON_SIZES = {(32, 32), (16, 16)}
# The larger screens the pictures are made for: (percent, numerator, denominator) of the drawn size.
SCALES = ((150, 3, 2), (200, 2, 1))


class ArtError(Exception):
    """A source that cannot be turned into a picture; the text names the file and line."""


def read_palette(path):
    """Reads palette.txt: lines "<char> <RRGGBB> <name...>"; returns {char: VGA index}."""
    palette = {}
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith(";"):
                continue
            parts = line.split()
            where = f"{path}:{number}"
            if len(parts) < 2 or len(parts[0]) != 1:
                raise ArtError(f"{where}: expected '<char> <RRGGBB> <name>'")
            try:
                rgb = bytes.fromhex(parts[1])
            except ValueError:
                raise ArtError(f"{where}: '{parts[1]}' is not a colour RRGGBB") from None
            if len(rgb) != 3 or tuple(rgb) not in VGA:
                raise ArtError(f"{where}: {parts[1]} is not a colour of the 16-colour VGA palette")
            if parts[0] in palette:
                raise ArtError(f"{where}: character '{parts[0]}' is defined twice")
            palette[parts[0]] = VGA.index(tuple(rgb))
    return palette


class Picture:
    """One parsed source: its kind, header values and images (rows of VGA indices, None = transparent)."""

    def __init__(self, path):
        self.path = path
        self.name = os.path.basename(path)[:-len(".txt")]
        self.kind = None
        self.id = None
        self.transparent = None
        self.hotspot = None
        self.icons = []  # a strip's icons, by file name
        self.size = None  # a strip's image width
        self.key = None  # a strip's key colour, a VGA index
        self.images = []  # list of (label, width, height, rows)


def parse_size(text, where):
    try:
        w, h = (int(v) for v in text.lower().split("x"))
    except ValueError:
        raise ArtError(f"{where}: size '{text}' is not WIDTHxHEIGHT") from None
    if not (1 <= w <= 256 and 1 <= h <= 256):
        raise ArtError(f"{where}: size {w}x{h} is out of range")
    return w, h


def parse_picture(path, palette):
    pic = Picture(path)
    if not path.endswith(".txt") or os.path.splitext(pic.name)[1] not in KINDS.values():
        raise ArtError(f"{path}: a source must be named NAME.ico.txt, NAME.bmp.txt or NAME.cur.txt")
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    i = 0
    while i < len(lines):
        line = lines[i].rstrip("\r")
        where = f"{path}:{i + 1}"
        i += 1
        if not line.strip() or line.startswith("#"):
            continue
        key, sep, value = line.partition(":")
        key, value = key.strip(), value.strip()
        if not sep:
            raise ArtError(f"{where}: expected 'key: value' or a comment")
        if key == "image":
            if pic.kind is None:
                raise ArtError(f"{where}: 'kind' must come before the first image")
            words = value.split(None, 1)
            if not words:
                raise ArtError(f"{where}: 'image' needs a size")
            w, h = parse_size(words[0], where)
            rows = []
            for r in range(h):
                if i >= len(lines):
                    raise ArtError(f"{path}: image at line {i - r} has {r} rows, needs {h}")
                row = lines[i].rstrip("\r")
                rwhere = f"{path}:{i + 1}"
                i += 1
                if len(row) != w:
                    raise ArtError(f"{rwhere}: row is {len(row)} characters wide, needs {w}")
                pixels = []
                for x, ch in enumerate(row):
                    if ch == pic.transparent:
                        pixels.append(None)
                    elif ch in palette:
                        pixels.append(palette[ch])
                    else:
                        raise ArtError(f"{rwhere}: column {x + 1}: '{ch}' is not a palette character")
                rows.append(pixels)
            pic.images.append((words[1] if len(words) > 1 else "", w, h, rows))
        elif pic.images:
            raise ArtError(f"{where}: header line '{key}' after an image")
        elif key == "kind":
            if value not in KINDS:
                raise ArtError(f"{where}: kind must be one of {', '.join(KINDS)}")
            if KINDS[value] != os.path.splitext(pic.name)[1]:
                raise ArtError(f"{where}: kind {value} does not match the file name {pic.name}")
            pic.kind = value
        elif key == "id":
            if not value.isdigit() or not 1 <= int(value) <= 65535:
                raise ArtError(f"{where}: id must be a number from 1 to 65535")
            pic.id = int(value)
        elif key == "transparent":
            if len(value) != 1 or value in palette:
                raise ArtError(f"{where}: transparent must be one character that is not a colour")
            pic.transparent = value
        elif key == "icons":
            pic.icons = value.split()
        elif key == "size":
            if not value.isdigit():
                raise ArtError(f"{where}: size must be a number of pixels")
            pic.size = int(value)
        elif key == "key":
            if value not in palette:
                raise ArtError(f"{where}: key must be a palette character")
            pic.key = palette[value]
        elif key == "hotspot":
            try:
                x, y = (int(v) for v in value.split(","))
            except ValueError:
                raise ArtError(f"{where}: hotspot must be 'x,y'") from None
            pic.hotspot = (x, y)
        else:
            raise ArtError(f"{where}: unknown key '{key}'")
    check_picture(pic)
    return pic


def check_picture(pic):
    p = pic.path
    if pic.kind is None or pic.id is None:
        raise ArtError(f"{p}: 'kind' and 'id' are required")
    if pic.kind == "strip":
        if not pic.icons or pic.size is None or pic.key is None or pic.images or pic.transparent is not None:
            raise ArtError(f"{p}: a strip has 'icons', 'size' and 'key', and no images of its own")
        return
    if pic.icons or pic.size is not None or pic.key is not None:
        raise ArtError(f"{p}: 'icons', 'size' and 'key' belong to a strip")
    if not pic.images:
        raise ArtError(f"{p}: no image")
    sizes = [(w, h) for _, w, h, _ in pic.images]
    if pic.kind == "icon":
        if pic.transparent is None:
            raise ArtError(f"{p}: an icon needs a transparent character")
        for s in sizes:
            if s not in ICON_SIZES:
                raise ArtError(f"{p}: icon image {s[0]}x{s[1]}: only 32x32 and 16x16 are made")
        if len(set(sizes)) != len(sizes):
            raise ArtError(f"{p}: two icon images of the same size")
    elif pic.kind == "bitmap":
        if pic.transparent is not None:
            raise ArtError(f"{p}: a bitmap has no transparent pixels")
        if len({h for _, h in sizes}) != 1:
            raise ArtError(f"{p}: the images of a bitmap strip must be equally high")
    else:
        if sizes != [(32, 32)]:
            raise ArtError(f"{p}: a cursor is one 32x32 image")
        if pic.hotspot is None:
            raise ArtError(f"{p}: a cursor needs a hotspot")
        x, y = pic.hotspot
        if not (0 <= x < 32 and 0 <= y < 32):
            raise ArtError(f"{p}: hotspot {x},{y} lies outside the image")
        for row in pic.images[0][3]:
            for v in row:
                if v not in (None, BLACK, WHITE):
                    raise ArtError(f"{p}: a monochrome cursor has only black, white and transparent")
    if pic.kind != "cursor" and pic.hotspot is not None:
        raise ArtError(f"{p}: only a cursor has a hotspot")


# ---- writers -------------------------------------------------------------------------------

def row_bytes(width, bits):
    """Bytes of one DIB row: padded to a multiple of 4."""
    return (width * bits + 31) // 32 * 4


def pack_4bit(rows, width):
    """Bottom-up 4-bit rows; transparent pixels become black (the AND mask keeps the screen)."""
    out = bytearray()
    stride = row_bytes(width, 4)
    for row in reversed(rows):
        line = bytearray(stride)
        for x, v in enumerate(row):
            v = BLACK if v is None else v
            line[x // 2] |= v << 4 if x % 2 == 0 else v
        out += line
    return bytes(out)


def pack_1bit(rows, width, bit_of):
    out = bytearray()
    stride = row_bytes(width, 1)
    for row in reversed(rows):
        line = bytearray(stride)
        for x, v in enumerate(row):
            if bit_of(v):
                line[x // 8] |= 0x80 >> (x % 8)
        out += line
    return bytes(out)


def info_header(width, height, bits, image_size):
    # BITMAPINFOHEADER; colour-table length 0 means the full table for the bit depth.
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 0, 0, 0, 0)


def colour_table(colours):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)


def icon_image(w, h, rows):
    xor = pack_4bit(rows, w)
    mask = pack_1bit(rows, w, lambda v: v is None)
    return info_header(w, 2 * h, 4, len(xor) + len(mask)) + colour_table(VGA) + xor + mask


def cursor_image(rows):
    # Monochrome: screen = (screen AND mask) XOR colour; opaque pixels have mask 0.
    w, h = len(rows[0]), len(rows)
    xor = pack_1bit(rows, w, lambda v: v == WHITE)
    mask = pack_1bit(rows, w, lambda v: v is None)
    return info_header(w, 2 * h, 1, len(xor) + len(mask)) + colour_table([VGA[BLACK], VGA[WHITE]]) + xor + mask


def make_icon_file(resource_type, entries):
    """ICONDIR (type 1 icon, 2 cursor) with one entry per (w, h, colours, field1, field2, data)."""
    out = struct.pack("<HHH", 0, resource_type, len(entries))
    offset = 6 + 16 * len(entries)
    for w, h, colours, f1, f2, data in entries:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, colours, 0, f1, f2, len(data), offset)
        offset += len(data)
    return out + b"".join(e[5] for e in entries)


def scale_rows(rows, num, den):
    """The image enlarged num/den times by repeating pixels; a size that is not whole rounds up."""
    h, w = len(rows), len(rows[0])
    return [[rows[y * den // num][x * den // num] for x in range(-(-w * num // den))]
            for y in range(-(-h * num // den))]


def with_scaled(images):
    """Drawn images (w, h, rows), then each enlarged for every scale whose size is not there yet."""
    out = list(images)
    for _, num, den in SCALES:
        for _, _, rows in images:
            big = scale_rows(rows, num, den)
            if all((w, h) != (len(big[0]), len(big)) for w, h, _ in out):
                out.append((len(big[0]), len(big), big))
    return out


def side_by_side(images):
    rows = [[] for _ in range(max(len(image) for image in images))]
    for image in images:
        for y, row in enumerate(image):
            rows[y] += row
    return rows


def bitmap_file(rows):
    width, height = len(rows[0]), len(rows)
    pixels = pack_4bit(rows, width)
    header = info_header(width, height, 4, len(pixels)) + colour_table(VGA)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 14 + len(header))
    return file_header + header + pixels


def strip_rows(pic, pictures):
    """A strip's pixels: the named icons' images of its size side by side, the key colour for
    their transparent pixels."""
    by_name = {other.name: other for other in pictures}
    images = []
    for name in pic.icons:
        icon = by_name.get(name)
        if icon is None or icon.kind != "icon":
            raise ArtError(f"{pic.path}: '{name}' is not one of the icons given")
        found = [rows for _, w, _, rows in icon.images if w == pic.size]
        if not found:
            raise ArtError(f"{pic.path}: {name} has no {pic.size}-pixel image")
        if any(pic.key in row for row in found[0]):
            raise ArtError(f"{pic.path}: {name} uses the key colour")
        images.append([[pic.key if v is None else v for v in row] for row in found[0]])
    return side_by_side(images)


def build(pic, pictures=()):
    """The resource files for one picture: {file name: bytes}. A strip finds its icons among
    `pictures`."""
    drawn = [(w, h, rows) for _, w, h, rows in pic.images]
    if pic.kind == "icon":
        return {pic.name: make_icon_file(
            1, [(w, h, 16, 1, 4, icon_image(w, h, rows)) for w, h, rows in with_scaled(drawn)])}
    if pic.kind == "cursor":
        x, y = pic.hotspot
        return {pic.name: make_icon_file(
            2, [(w, h, 2, x * w // 32, y * h // 32, cursor_image(rows)) for w, h, rows in with_scaled(drawn)])}
    rows = strip_rows(pic, pictures) if pic.kind == "strip" else side_by_side([rows for _, _, rows in drawn])
    stem = pic.name[:-len(".bmp")]
    files = {pic.name: bitmap_file(rows)}
    for percent, num, den in SCALES:
        files[f"{stem}-{percent}.bmp"] = bitmap_file(scale_rows(rows, num, den))
    return files


# ---- readers (used by the preview; they read back what the writers made) --------------------

def read_dib(data, offset, height_factor):
    """Decodes a DIB at offset: returns (w, h, rows of RGB, mask rows or None)."""
    size, w, h2, _, bits, comp = struct.unpack_from("<IiiHHI", data, offset)
    if comp != 0 or bits not in (1, 4):
        raise ArtError(f"unsupported DIB: {bits} bits, compression {comp}")
    h = h2 // height_factor
    ncolours = 1 << bits
    table = [tuple(data[offset + size + 4 * k + j] for j in (2, 1, 0)) for k in range(ncolours)]
    pos = offset + size + 4 * ncolours
    stride = row_bytes(w, bits)
    rows = []
    for y in range(h):
        line = data[pos + (h - 1 - y) * stride: pos + (h - y) * stride]
        if bits == 4:
            rows.append([table[(line[x // 2] >> (4 if x % 2 == 0 else 0)) & 15] for x in range(w)])
        else:
            rows.append([table[(line[x // 8] >> (7 - x % 8)) & 1] for x in range(w)])
    mask = None
    if height_factor == 2:
        mpos = pos + h * stride
        mstride = row_bytes(w, 1)
        mask = [[(data[mpos + (h - 1 - y) * mstride + x // 8] >> (7 - x % 8)) & 1 for x in range(w)]
                for y in range(h)]
    return w, h, rows, mask


def read_resource(data):
    """Reads back an .ico, .cur or .bmp made by build(): a list of (w, h, rows of RGB or None)."""
    if data[:2] == b"BM":
        w, h, rows, _ = read_dib(data, 14, 1)
        return [(w, h, rows)]
    _, _, count = struct.unpack_from("<HHH", data, 0)
    images = []
    for k in range(count):
        _, _, _, _, _, _, _, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * k)
        w, h, rows, mask = read_dib(data, offset, 2)
        images.append((w, h, [[None if m else c for c, m in zip(r, mr)] for r, mr in zip(rows, mask)]))
    return images


# ---- preview -------------------------------------------------------------------------------

BUTTON_FACE = VGA[7]
DIGITS = {  # 3x5 digits for the id labels of the preview
    "0": "111101101101111", "1": "010110010010111", "2": "111001111100111", "3": "111001111001111",
    "4": "101101111001001", "5": "111100111001111", "6": "111100111101111", "7": "111001010010010",
    "8": "111101111101111", "9": "111101111001111", "+": "000010111010000", "x": "000101010101000",
}


class Canvas:
    def __init__(self, w, h, colour):
        self.w, self.h = w, h
        self.px = [[colour] * w for _ in range(h)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def image(self, x0, y0, rows, scale, checker):
        for y, row in enumerate(rows):
            for x, c in enumerate(row):
                for dy in range(scale):
                    for dx in range(scale):
                        cc = c
                        if cc is None:
                            if not checker:
                                continue
                            cc = (0xE8, 0xE8, 0xE8) if ((x * scale + dx) // 4 + (y * scale + dy) // 4) % 2 else (0xA0, 0xA0, 0xA0)
                        self.put(x0 + x * scale + dx, y0 + y * scale + dy, cc)

    def text(self, x0, y0, s, scale=2):
        for n, ch in enumerate(s):
            glyph = DIGITS.get(ch)
            if glyph:
                for k, bit in enumerate(glyph):
                    if bit == "1":
                        for dy in range(scale):
                            for dx in range(scale):
                                self.put(x0 + n * 4 * scale + (k % 3) * scale + dx, y0 + (k // 3) * scale + dy, (0, 0, 0))

    def png(self):
        raw = b"".join(b"\0" + bytes(v for c in row for v in c) for row in self.px)

        def chunk(tag, body):
            return struct.pack(">I", len(body)) + tag + body + struct.pack(">I", zlib.crc32(tag + body))

        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", self.w, self.h, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def overlay(base, top, dx, dy):
    rows = [list(r) for r in base]
    for y, row in enumerate(top):
        for x, c in enumerate(row):
            if c is not None and 0 <= y + dy < len(rows) and 0 <= x + dx < len(rows[0]):
                rows[y + dy][x + dx] = c
    return rows


def flood_fill(rows, colour):
    """What the panel does to the printer picture: from pixel (0, 0), every pixel of the same
    colour reached through side-by-side neighbours of that colour becomes colour."""
    rows = [list(r) for r in rows]
    key = rows[0][0]
    todo = [(0, 0)]
    while todo:
        x, y = todo.pop()
        if 0 <= y < len(rows) and 0 <= x < len(rows[0]) and rows[y][x] == key and key != colour:
            rows[y][x] = colour
            todo += [(x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)]
    return rows


def preview(pictures, out_path, scale=6):
    """One PNG, read back from the generated files: each image enlarged (transparency as a
    checkerboard) with its real size and double size beside it on the button-face grey, and the
    printer picture recoloured as the panel does it with each state icon over it."""
    tiles = []  # (label, rows)
    decoded = {}
    for pic in sorted(pictures, key=lambda p: p.id):
        images = read_resource(build(pic, pictures)[pic.name])
        decoded[(pic.kind, pic.id)] = images
        tiles += [(str(pic.id), rows) for _, _, rows in images]
    if ("bitmap", 211) in decoded:
        face = flood_fill(decoded[("bitmap", 211)][0][2], BUTTON_FACE)
        for state in (142, 143, 144):
            icon = [rows for w, _, rows in decoded.get(("icon", state), []) if w == 32]
            if icon:
                # In the panel the 32x32 icon lands about 3 pixels right of and below the
                # corner of the 35x35 picture.
                tiles.append((f"211+{state}", overlay(face, icon[0], 3, 3)))
    # Flow layout: tiles left to right, a new row when the next tile does not fit.
    pad, label_h, max_w = 12, 16, 1400
    places, x, y, row_h = [], pad, pad, 0
    for label, rows in tiles:
        w, h = len(rows[0]), len(rows)
        tile_w, tile_h = w * scale + pad + 2 * w, label_h + max(h * scale, 3 * h + pad)
        if x + tile_w > max_w and x > pad:
            x, y, row_h = pad, y + row_h + pad, 0
        places.append((x, y, label, rows))
        x += tile_w + 2 * pad
        row_h = max(row_h, tile_h)
    canvas = Canvas(max_w, y + row_h + pad, BUTTON_FACE)
    for x, y, label, rows in places:
        w, h = len(rows[0]), len(rows)
        canvas.text(x, y, label)
        canvas.image(x, y + label_h, rows, scale, True)
        canvas.image(x + w * scale + pad, y + label_h, rows, 1, False)
        canvas.image(x + w * scale + pad, y + label_h + h + pad, rows, 2, False)
    with open(out_path, "wb") as f:
        f.write(canvas.png())


def main(argv):
    parser = argparse.ArgumentParser(description="Generate RemotePanel's icons, bitmaps and cursor.")
    parser.add_argument("--out", help="folder for the generated .ico/.bmp/.cur files")
    parser.add_argument("--preview", help="write an enlarged preview of every picture to this PNG")
    parser.add_argument("--palette", help="palette file (default: palette.txt beside the first source)")
    parser.add_argument("sources", nargs="+", help="picture sources NAME.ico.txt / NAME.bmp.txt / NAME.cur.txt")
    args = parser.parse_args(argv)
    if not args.out and not args.preview:
        parser.error("give --out, --preview or both")
    try:
        palette = read_palette(args.palette or os.path.join(os.path.dirname(args.sources[0]), "palette.txt"))
        pictures = [parse_picture(path, palette) for path in args.sources]
        ids = {}
        for pic in pictures:
            key = ("bitmap" if pic.kind == "strip" else pic.kind, pic.id)
            if key in ids:
                raise ArtError(f"{pic.path}: {pic.kind} id {pic.id} is also used by {ids[key]}")
            ids[key] = pic.path
        if args.out:
            os.makedirs(args.out, exist_ok=True)
            files = {}
            for pic in pictures:
                files.update(build(pic, pictures))
            for name, data in files.items():
                with open(os.path.join(args.out, name), "wb") as f:
                    f.write(data)
        if args.preview:
            preview(pictures, args.preview)
    except (ArtError, OSError) as e:
        print(f"artgen: {e}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

"""Checks the artwork that tools/artgen.py makes from res/art/: file structure, sizes and depths,
the cursor's hotspot, the printer picture's key-colour background, the toolbar's background, the
pictures made for 150 % and 200 % screens, agreement with res/art.rc, error reports for broken
sources, and repeatable output.

The files are decoded here with code of the test's own, not with the generator's reader."""

import glob
import os
import re
import struct
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
TOOL = os.path.join(ROOT, "tools", "artgen.py")
ART = os.path.join(ROOT, "res", "art")
SOURCES = sorted(glob.glob(os.path.join(ART, "*.ico.txt")) + glob.glob(os.path.join(ART, "*.bmp.txt"))
                 + glob.glob(os.path.join(ART, "*.cur.txt")))

VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
       (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
       (255, 0, 255), (0, 255, 255), (255, 255, 255)]
TEAL, SILVER = (0, 128, 128), (192, 192, 192)

# What the program loads: resource id -> (file, drawn image sizes); each file also holds its images
# made 1.5 and 2 times as large.
ICONS = {
    97: ("program.ico", {32, 16}),
    142: ("state-read-only.ico", {32}), 143: ("state-update-only.ico", {32}), 144: ("state-unusable.ico", {32}),
    222: ("direction-two-way.ico", {32}), 224: ("direction-one-way.ico", {32}),
    225: ("face-gothic.ico", {32}), 226: ("face-mincho.ico", {32}),
    227: ("zero-single.ico", {32}), 228: ("zero-double.ico", {32}),
    229: ("zero-single-slashed.ico", {32}), 230: ("zero-double-slashed.ico", {32}),
    231: ("perforation-print.ico", {32}), 232: ("perforation-skip.ico", {32}),
    233: ("paper-set-left.ico", {32}), 234: ("paper-set-centre.ico", {32}),
    235: ("reduce-2-3-centre.ico", {32}), 236: ("reduce-2-3-left.ico", {32}),
    237: ("reduce-4-5-centre.ico", {32}), 238: ("reduce-4-5-left.ico", {32}), 239: ("reduce-none.ico", {32}),
    241: ("tab-paper.ico", {16}), 244: ("tab-format.ico", {16}), 240: ("tab-font.ico", {16}),
    246: ("tab-print.ico", {16}), 99: ("tab-environment.ico", {16}), 101: ("tab-other.ico", {16}),
}
BITMAPS = {131: ("toolbar.bmp", 96, 16), 211: ("printer.bmp", 35, 35), 250: ("tabs.bmp", 96, 16),
           251: ("tabs-150.bmp", 144, 24), 252: ("tabs-200.bmp", 192, 32),
           253: ("toolbar-150.bmp", 144, 24), 254: ("toolbar-200.bmp", 192, 32),
           255: ("printer-150.bmp", 53, 53), 256: ("printer-200.bmp", 70, 70)}
CURSORS = {310: ("help.cur", (0, 0))}


def made_sizes(drawn):
    return {size * k // 2 for size in drawn for k in (2, 3, 4)}


def generate(out_dir, sources=SOURCES):
    return subprocess.run([sys.executable, TOOL, "--out", out_dir, *sources],
                          capture_output=True, text=True, check=False)


def decode_dib(data, offset, with_mask):
    """(width, height, bit count, colour table, rows of colour indices top-down, mask rows or None)."""
    size, w, h, planes, bits, compression, image_size = struct.unpack_from("<IiiHHII", data, offset)
    assert size == 40 and planes == 1 and compression == 0, (size, planes, compression)
    if with_mask:
        assert h % 2 == 0
        h //= 2
    colours = 1 << bits
    table = [tuple(data[offset + 40 + 4 * k + j] for j in (2, 1, 0)) for k in range(colours)]
    pos = offset + 40 + 4 * colours
    stride = (w * bits + 31) // 32 * 4
    mstride = (w + 31) // 32 * 4

    def index(line, x, b):
        per = 8 // b
        return (line[x // per] >> (8 - b * (x % per + 1))) & ((1 << b) - 1)

    rows = [[index(data[pos + (h - 1 - y) * stride:], x, bits) for x in range(w)] for y in range(h)]
    mask = None
    if with_mask:
        mpos = pos + h * stride
        mask = [[index(data[mpos + (h - 1 - y) * mstride:], x, 1) for x in range(w)] for y in range(h)]
        assert image_size in (0, h * (stride + mstride))
        assert len(data) >= mpos + h * mstride
    return w, h, bits, table, rows, mask


def decode_directory(data, expected_type):
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    assert reserved == 0 and kind == expected_type, (reserved, kind)
    entries = []
    for k in range(count):
        w, h, colours, zero, f1, f2, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * k)
        assert zero == 0 and offset + size <= len(data)
        entries.append((w or 256, h or 256, colours, f1, f2, size, offset))
    return entries


class GeneratedArt(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        result = generate(cls.tmp.name)
        if result.returncode != 0:
            raise AssertionError(f"artgen failed: {result.stderr}")
        cls.files = {}
        for path in glob.glob(os.path.join(cls.tmp.name, "*")):
            with open(path, "rb") as f:
                cls.files[os.path.basename(path)] = f.read()

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_every_source_makes_its_file_and_nothing_else(self):
        expected = {os.path.basename(s)[:-4] for s in SOURCES}
        expected |= {name[:-4] + f"-{p}.bmp" for name in expected if name.endswith(".bmp") for p in (150, 200)}
        self.assertEqual(set(self.files), expected)
        wanted = {f for f, _ in ICONS.values()} | {v[0] for v in BITMAPS.values()} | {v[0] for v in CURSORS.values()}
        self.assertEqual(expected, wanted)

    def test_icons_are_16_colour_images_with_masks(self):
        for ident, (name, sizes) in ICONS.items():
            with self.subTest(icon=ident, file=name):
                data = self.files[name]
                entries = decode_directory(data, 1)
                self.assertEqual({e[0] for e in entries}, made_sizes(sizes))
                self.assertEqual(len(entries), len(made_sizes(sizes)))
                for w, h, colours, planes, bits, size, offset in entries:
                    self.assertEqual((w, colours, planes, bits), (h, 16, 1, 4))
                    dw, dh, dbits, table, rows, mask = decode_dib(data, offset, True)
                    self.assertEqual((dw, dh, dbits), (w, h, 4))
                    self.assertEqual(table, VGA)
                    self.assertEqual(size, 40 + 64 + h * ((w * 4 + 31) // 32 * 4 + (w + 31) // 32 * 4))
                    # Where the mask lets the screen through, the colour must be black, or the
                    # screen would be inverted there instead of left alone.
                    for y in range(h):
                        for x in range(w):
                            if mask[y][x]:
                                self.assertEqual(rows[y][x], 0, f"pixel {x},{y}")
                    self.assertTrue(any(0 in r for r in mask), "no visible pixel")

    def test_state_icons_leave_the_printer_visible(self):
        # Drawn over the printer picture: the top ten rows and left ten columns stay transparent.
        for ident in (142, 143, 144):
            with self.subTest(icon=ident):
                data = self.files[ICONS[ident][0]]
                offset = decode_directory(data, 1)[0][6]
                mask = decode_dib(data, offset, True)[5]
                self.assertTrue(all(mask[y][x] for y in range(32) for x in range(32) if x < 10 or y < 10))

    def test_bitmaps(self):
        for ident, (name, width, height) in BITMAPS.items():
            with self.subTest(bitmap=ident):
                data = self.files[name]
                magic, file_size, r1, r2, offset = struct.unpack_from("<2sIHHI", data, 0)
                self.assertEqual((magic, file_size, r1, r2), (b"BM", len(data), 0, 0))
                w, h, bits, table, rows, _ = decode_dib(data, 14, False)
                self.assertEqual((w, h, bits), (width, height, 4))  # h > 0: bottom-up
                self.assertEqual(offset, 14 + 40 + 4 * 16)
                self.assertEqual(len(data), offset + h * ((w * 4 + 31) // 32 * 4))

    def test_toolbar_images_stand_on_silver(self):
        # The toolbar turns silver into the button face colour: it is each image's background.
        _, _, _, table, rows, _ = decode_dib(self.files["toolbar.bmp"], 14, False)
        for image in range(4):
            colours = [table[rows[y][image * 16 + x]] for y in range(16) for x in range(16)]
            self.assertEqual(max(set(colours), key=colours.count), SILVER, f"image {image}")

    def test_printer_background_is_one_key_region_from_the_top_left(self):
        _, _, _, table, rows, _ = decode_dib(self.files["printer.bmp"], 14, False)
        h, w = len(rows), len(rows[0])
        teal = {(x, y) for y in range(h) for x in range(w) if table[rows[y][x]] == TEAL}
        self.assertIn((0, 0), teal)
        # Flood fill with the surface rule: four neighbours of the key colour.
        seen, todo = {(0, 0)}, [(0, 0)]
        while todo:
            x, y = todo.pop()
            for n in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
                if n in teal and n not in seen:
                    seen.add(n)
                    todo.append(n)
        self.assertEqual(teal - seen, set(), "key colour outside the background region")
        # The region surrounds the printer: it reaches all four edges.
        self.assertTrue(any(x == w - 1 for x, _ in seen) and any(y == h - 1 for _, y in seen))
        self.assertGreater(len(teal), w * h // 5)
        self.assertLess(len(teal), w * h * 4 // 5)

    def test_cursor_is_monochrome_with_the_hotspot_on_the_arrow_tip(self):
        name, hotspot = CURSORS[310]
        data = self.files[name]
        entries = decode_directory(data, 2)
        self.assertEqual([e[:2] for e in entries], [(32, 32), (48, 48), (64, 64)])
        for w, h, _, hx, hy, _, offset in entries:
            self.assertEqual((hx, hy), (hotspot[0] * w // 32, hotspot[1] * w // 32))
            dw, dh, bits, table, rows, mask = decode_dib(data, offset, True)
            self.assertEqual((dw, dh, bits), (w, w, 1))
            self.assertEqual(table, [(0, 0, 0), (255, 255, 255)])
            self.assertEqual(mask[hy][hx], 0, "the hotspot pixel is transparent")
            # The tip: nothing opaque above or left of the hotspot.
            for y in range(w):
                for x in range(w):
                    if x < hx or y < hy:
                        self.assertEqual(mask[y][x], 1, f"opaque pixel {x},{y} before the tip")

    def pictures(self, name):
        """Every image of a file as {width: rows of RGB, None where transparent}."""
        data = self.files[name]
        if data[:2] == b"BM":
            w, _, _, table, rows, _ = decode_dib(data, 14, False)
            return {w: [[table[v] for v in row] for row in rows]}
        out = {}
        for w, _, _, _, _, _, offset in decode_directory(data, 2 if name.endswith(".cur") else 1):
            _, _, _, table, rows, mask = decode_dib(data, offset, True)
            out[w] = [[None if m else table[v] for v, m in zip(row, mrow)] for row, mrow in zip(rows, mask)]
        return out

    def test_larger_pictures_repeat_the_drawn_pixels(self):
        # Nearest neighbour: pixel (x, y) of the picture made k/2 times as large is pixel
        # (x * 2 // k, y * 2 // k) of the drawn one, transparency included.
        def check(small, big, k, label):
            self.assertEqual((len(big[0]), len(big)), (-(-len(small[0]) * k // 2), -(-len(small) * k // 2)), label)
            for y, row in enumerate(big):
                for x, pixel in enumerate(row):
                    sy, sx = y * 2 // k, x * 2 // k
                    if pixel != small[sy][sx]:
                        self.fail(f"{label}: pixel {x},{y} is not pixel {sx},{sy} of the drawn picture")

        for name, sizes in list(ICONS.values()) + [(CURSORS[310][0], {32})]:
            images = self.pictures(name)
            for size in sorted(made_sizes(sizes) - sizes):
                drawn = max(d for d in sizes if size in made_sizes({d}))
                with self.subTest(file=name, size=size):
                    check(images[drawn], images[size], size * 2 // drawn, name)
        for name in ("toolbar", "printer", "tabs"):
            (drawn,) = self.pictures(f"{name}.bmp").values()
            for percent in (150, 200):
                with self.subTest(file=name, percent=percent):
                    (big,) = self.pictures(f"{name}-{percent}.bmp").values()
                    check(drawn, big, percent // 50, f"{name}-{percent}.bmp")

    def test_art_rc_binds_each_file_to_its_id(self):
        with open(os.path.join(ROOT, "res", "art.rc"), encoding="utf-8") as f:
            statements = re.findall(r'^(\d+)\s+(ICON|BITMAP|CURSOR)\s+"([^"]+)"', f.read(), re.M)
        found = {(kind, int(ident)): name for ident, kind, name in statements}
        self.assertEqual(len(found), len(statements), "an id is bound twice")
        expected = {("ICON", i): v[0] for i, v in ICONS.items()}
        expected.update({("BITMAP", i): v[0] for i, v in BITMAPS.items()})
        expected.update({("CURSOR", i): v[0] for i, v in CURSORS.items()})
        self.assertEqual(found, expected)
        # The id in each source's header says the same.
        for source in SOURCES:
            with open(source, encoding="utf-8") as f:
                ident = int(re.search(r"^id:\s*(\d+)", f.read(), re.M).group(1))
            name = os.path.basename(source)[:-4]
            self.assertIn(name, [v for (k, i), v in expected.items() if i == ident], source)

    def test_output_is_repeatable(self):
        with tempfile.TemporaryDirectory() as again:
            self.assertEqual(generate(again).returncode, 0)
            for name, data in self.files.items():
                with open(os.path.join(again, name), "rb") as f:
                    self.assertEqual(f.read(), data, name)
        # The build's copies, when the build has made them, are the same bytes.
        built = os.environ.get("RP_ART_DIR")
        if built and os.path.isdir(built):
            for name, data in self.files.items():
                with open(os.path.join(built, name), "rb") as f:
                    self.assertEqual(f.read(), data, f"{name} in {built} is out of date")


class BrokenSources(unittest.TestCase):
    """A mistake in a picture stops the build with the file and line named."""

    CASES = [
        ("short row", "x.ico.txt", "kind: icon\nid: 5\ntransparent: .\n\nimage: 16x16\n"
         + "\n".join(["." * 16] * 15 + ["." * 15]) + "\n", "x.ico.txt:21"),
        ("unknown colour", "x.ico.txt", "kind: icon\nid: 5\ntransparent: .\nimage: 16x16\n"
         + "\n".join(["." * 16] * 3 + ["...Z" + "." * 12] + ["." * 16] * 12) + "\n", "x.ico.txt:8: column 4"),
        ("missing rows", "x.ico.txt", "kind: icon\nid: 5\ntransparent: .\nimage: 16x16\n"
         + "\n".join(["." * 16] * 10) + "\n", "x.ico.txt"),
        ("icon size", "x.ico.txt", "kind: icon\nid: 5\ntransparent: .\nimage: 8x8\n"
         + "\n".join(["." * 8] * 8) + "\n", "only 32x32 and 16x16"),
        ("kind against name", "x.bmp.txt", "kind: icon\nid: 5\n", "x.bmp.txt:1"),
        ("colour in cursor", "x.cur.txt", "kind: cursor\nid: 5\ntransparent: .\nhotspot: 0,0\nimage: 32x32\n"
         + "\n".join(["R" + "." * 31] + ["." * 32] * 31) + "\n", "black, white and transparent"),
        ("hotspot outside", "x.cur.txt", "kind: cursor\nid: 5\ntransparent: .\nhotspot: 32,0\nimage: 32x32\n"
         + "\n".join(["." * 32] * 32) + "\n", "outside the image"),
        ("transparent in bitmap", "x.bmp.txt", "kind: bitmap\nid: 5\ntransparent: .\nimage: 2x1\n..\n",
         "no transparent pixels"),
        ("strip of an unknown icon", "x.bmp.txt", "kind: strip\nid: 5\nicons: y.ico\nsize: 16\nkey: M\n",
         "'y.ico' is not one of the icons given"),
        ("strip without a key", "x.bmp.txt", "kind: strip\nid: 5\nicons: y.ico\nsize: 16\n", "a strip has"),
    ]

    def test_broken_sources_are_refused_with_their_place(self):
        for label, name, text, message in self.CASES:
            with self.subTest(label), tempfile.TemporaryDirectory() as tmp:
                with open(os.path.join(ART, "palette.txt"), encoding="utf-8") as f:
                    palette = f.read()
                with open(os.path.join(tmp, "palette.txt"), "w", encoding="utf-8") as f:
                    f.write(palette)
                source = os.path.join(tmp, name)
                with open(source, "w", encoding="utf-8") as f:
                    f.write(text)
                out = os.path.join(tmp, "out")
                result = generate(out, [source])
                self.assertEqual(result.returncode, 1, result.stderr)
                self.assertIn(message, result.stderr)
                self.assertFalse(os.path.exists(os.path.join(out, name[:-4])))


if __name__ == "__main__":
    unittest.main()

#!/usr/bin/env python3
"""Writes the small pictures the panel's drawing tests load as resources: bitmaps and one icon
drawn as text grids, one character per pixel. Usage: make_test_pictures.py <output-dir>"""
import os
import struct
import sys

PALETTE = {
    'K': (0, 128, 128),    # the key colour of the printer picture
    'R': (255, 0, 0),
    'G': (0, 255, 0),
    'B': (0, 0, 255),
    'W': (255, 255, 255),
    'Y': (255, 255, 0),
}

# The key colour reaches the top-left pixel; an island of key colour is walled in by R.
KEY_REGION = [
    "KKKRKKKK",
    "KRRRKKKK",
    "KRKRKGGK",
    "KRRRKGGK",
    "KKKKKKKK",
    "BBBBBBBB",
]

# The same picture with another colour at the top-left pixel.
KEY_ELSEWHERE = [
    "GKKRKKKK",
    "KRRRKKKK",
    "KRKRKGGK",
    "KRRRKGGK",
    "KKKKKKKK",
    "BBBBBBBB",
]

# 32 x 32: a yellow square with a transparent border of 4 pixels ('.' is transparent).
ICON = ["." * 32] * 4 + ["...." + "Y" * 24 + "...."] * 24 + ["." * 32] * 4


def rows_bottom_up(grid):
    return list(reversed(grid))


def pixel_bytes(row):
    data = b"".join(bytes((b, g, r)) for r, g, b in (PALETTE.get(c, (0, 0, 0)) for c in row))
    return data + b"\0" * ((4 - len(data) % 4) % 4)


def bitmap_info(width, height, bits):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, 0, 2835, 2835, 0, 0)


def write_bmp(path, grid):
    width, height = len(grid[0]), len(grid)
    pixels = b"".join(pixel_bytes(row) for row in rows_bottom_up(grid))
    info = bitmap_info(width, height, 24)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(path, "wb") as out:
        out.write(header + info + pixels)


def icon_image(grid):
    """The image of one icon as a resource holds it: header (double height), colours, mask."""
    width, height = len(grid[0]), len(grid)
    colour = b"".join(pixel_bytes(row) for row in rows_bottom_up(grid))
    mask = b""
    for row in rows_bottom_up(grid):
        bits = 0
        for x, c in enumerate(row):
            if c == ".":
                bits |= 1 << (width - 1 - x)
        line = bits.to_bytes(width // 8, "big")
        mask += line + b"\0" * ((4 - len(line) % 4) % 4)
    return bitmap_info(width, height * 2, 24) + colour + mask


def write_icon_resources(image_path, group_path, grid, image_id):
    """An icon as two raw resources, so that its image keeps the id given here: the resource
    compiler numbers the images of ICON statements from 1 in every file, and those numbers would
    collide with the program's own icons when the test's resources are linked beside them."""
    width, height = len(grid[0]), len(grid)
    image = icon_image(grid)
    group = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHIH", width, height, 0, 0, 1, 24, len(image), image_id)
    with open(image_path, "wb") as out:
        out.write(image)
    with open(group_path, "wb") as out:
        out.write(group)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    write_bmp(os.path.join(out, "key_region.bmp"), KEY_REGION)
    write_bmp(os.path.join(out, "key_elsewhere.bmp"), KEY_ELSEWHERE)
    write_icon_resources(os.path.join(out, "square.icon"), os.path.join(out, "square.group"), ICON, 9145)


if __name__ == "__main__":
    main()

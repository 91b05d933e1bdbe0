#!/usr/bin/env python3
"""Draws Quorlin's banners and icon: greyscale XPM banners, a 16-colour XPM and ICO icon.

Run from this folder; it rewrites top_banner.xpm, bottom_banner.xpm, quorlin_icon.xpm and
quorlin.ico. The output is deterministic.
"""
import math
import struct

CODES = [a + b for a in "abcdefghijklmnopqrstuvwxyz" for b in "ABCDEFGHIJKLMNOPQRSTUVWXYZ"]


def grey_levels(count, darkest):
    return [round(darkest + i * (255 - darkest) / (count - 1)) for i in range(count)]


def write_xpm(path, name, width, height, colours, pixels):
    lines = ['"%d %d %d 2"' % (width, height, len(colours))]
    for code, colour in zip(CODES, colours):
        lines.append('"%s c %s"' % (code, colour))
    for y in range(height):
        lines.append('"' + "".join(CODES[pixels[y][x]] for x in range(width)) + '"')
    with open(path, "w", newline="\n") as out:
        out.write("/* XPM */\nstatic const char* const %s[] = {\n" % name)
        out.write(",\n".join(lines))
        out.write("\n};\n")


def grey_xpm(path, name, width, height, count, darkest, shade):
    levels = grey_levels(count, darkest)
    colours = ["#%02x%02x%02x" % (v, v, v) for v in levels]
    pixels = [[min(count - 1, max(0, round(shade(x, y) * (count - 1)))) for x in range(width)]
              for y in range(height)]
    write_xpm(path, name, width, height, colours, pixels)


def top_shade(x, y):
    # Dark on the left fading to white, crossed by two soft waves.
    base = (x / 531.0) ** 0.8
    wave = math.sin(x / 38.0 + y / 9.0) * 0.5 + 0.5
    ribbon = max(0.0, 1.0 - abs(y - 18 - 9 * math.sin(x / 70.0)) / 6.0)
    return min(1.0, base + (1 - base) * (0.12 * wave + 0.25 * ribbon))


def bottom_shade(x, y):
    # White on the left darkening towards the right, lighter towards the top edge.
    base = 1.0 - (x / 531.0) ** 1.3
    return min(1.0, base * 0.9 + 0.1 * (1 - y / 18.0))


ICON_COLOURS = ["#ffffff", "#1b2a41", "#27405f", "#33557d", "#4a6e98", "#6f8fb4", "#9fb6d0",
                "#d3deea", "#f2a541", "#c97c1c", "#000000", "#3c3c3c", "#787878", "#b4b4b4",
                "#e0e0e0", "#5a7a3a"]


def icon_index(x, y):
    cx, cy = x - 15.5, y - 15.5
    corner = max(abs(cx) - 11.5, 0) ** 2 + max(abs(cy) - 11.5, 0) ** 2
    if corner > 16:
        return 0
    ring = math.hypot(cx + 1, cy + 1)
    if 6.5 <= ring <= 10 and not (cx > 2 and cy > 2 and abs(cx - cy) < 3):
        return 7 if ring < 8.5 else 6
    if cx > 1 and cy > 1 and abs(cx - cy) < 2.2 and cx < 12:
        return 8 if abs(cx - cy) < 1.2 else 9
    return 1 + min(4, int((cx + cy + 31) / 13))


def icon_pixels():
    return [[icon_index(x, y) for x in range(32)] for y in range(32)]


def write_ico(path, pixels):
    rows = []
    for y in reversed(range(32)):
        row = pixels[y]
        rows.append(bytes((row[x] << 4) | row[x + 1] for x in range(0, 32, 2)))
    xor = b"".join(rows)
    mask = bytes(4 * 32)
    palette = b"".join(bytes((int(c[5:7], 16), int(c[3:5], 16), int(c[1:3], 16), 0))
                       for c in ICON_COLOURS)
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4,
                                                            len(image), 22)
    with open(path, "wb") as out:
        out.write(directory + image)


grey_xpm("top_banner.xpm", "top_banner_xpm", 532, 36, 80, 0x33, top_shade)
grey_xpm("bottom_banner.xpm", "bottom_banner_xpm", 532, 19, 77, 0x0a, bottom_shade)
write_xpm("quorlin_icon.xpm", "quorlin_icon_xpm", 32, 32, ICON_COLOURS, icon_pixels())
write_ico("quorlin.ico", icon_pixels())

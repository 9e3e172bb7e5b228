#!/usr/bin/env python3
"""Draws Tramela's two pictures as XPM text: the calculator icon and the logo.

Run from anywhere; writes calculator.xpm and logo.xpm next to this script. The XPM files are
committed, so building never runs this.
"""
from pathlib import Path

HERE = Path(__file__).resolve().parent


def write_xpm(path, name, pixels, palette):
    """pixels: list of rows of palette keys; palette: key -> colour ('None' is transparent)."""
    height, width = len(pixels), len(pixels[0])
    used = sorted({c for row in pixels for c in row})
    lines = [f'"{width} {height} {len(used)} 1",']
    lines += [f'"{c} c {palette[c]}",' for c in used]
    lines += [f'"{"".join(row)}",' for row in pixels]
    lines[-1] = lines[-1].rstrip(",")
    path.write_text("/* XPM */\nstatic const char *" + name + "[] = {\n" + "\n".join(lines) + "\n};\n")


def canvas(width, height, fill="."):
    return [[fill] * width for _ in range(height)]


def rect(px, x0, y0, x1, y1, c):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            px[y][x] = c


def draw_calculator():
    # 16 colours at most: transparent, outline, three greys of the case, the display, the keys.
    palette = {
        ".": "None", "k": "#000000", "D": "#404040", "g": "#808080", "G": "#A0A0A0",
        "w": "#E0E0E0", "W": "#FFFFFF", "l": "#B8C8A0", "L": "#90A078", "d": "#203020",
        "r": "#C03020", "R": "#F06040", "b": "#3050A0",
    }
    px = canvas(32, 32)
    # The case: outline with cut corners, a light top-left edge and a dark bottom-right edge.
    rect(px, 5, 1, 26, 30, "k")
    rect(px, 4, 2, 27, 29, "k")
    rect(px, 5, 2, 26, 29, "G")
    rect(px, 5, 2, 25, 2, "w")
    rect(px, 5, 2, 5, 28, "w")
    rect(px, 6, 29, 26, 29, "g")
    rect(px, 26, 3, 26, 29, "g")
    # The display strip, sunk into the case, with a number on it.
    rect(px, 7, 4, 24, 10, "D")
    rect(px, 8, 5, 24, 10, "W")
    rect(px, 8, 5, 23, 9, "l")
    rect(px, 8, 5, 23, 5, "L")
    for dy, row in enumerate(["#..###", "#..#..", "#..###", "#....#", "#.####"]):
        for dx, c in enumerate(row):
            if c == "#":
                px[5 + dy][16 + dx] = "d"
    # Four rows of four keys; the top-left key is the red clear key, the last column the blue
    # operation keys.
    for row in range(4):
        for col in range(4):
            x0, y0 = 7 + col * 5, 13 + row * 4
            face = "w" if col < 3 else "b"
            hi = "W" if col < 3 else "w"
            if row == 0 and col == 0:
                face, hi = "r", "R"
            rect(px, x0, y0, x0 + 3, y0 + 2, face)
            rect(px, x0, y0, x0 + 3, y0, hi)
            rect(px, x0 + 1, y0 + 3, x0 + 4, y0 + 3, "D")
            rect(px, x0 + 4, y0 + 1, x0 + 4, y0 + 3, "D")
    assert len({c for r in px for c in r}) <= 16
    write_xpm(HERE / "calculator.xpm", "calculator_xpm", px, palette)


GLYPHS = {
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
}


def draw_logo():
    palette = {
        ".": "None", "n": "#102A6C", "s": "#8FB0E8", "y": "#F2C84B", "o": "#8A5A10",
        "k": "#202020", "r": "#FF0000",
    }
    px = canvas(100, 41)
    scale, gap, top, left = 2, 3, 2, 4
    # The word, in doubled pixels leaning forward, with a pale shadow one pixel down-right.
    for layer, (ox, oy) in (("s", (1, 1)), ("n", (0, 0))):
        for i, letter in enumerate("TRAMELA"):
            x_letter = left + i * (5 * scale + gap)
            for gy, row in enumerate(GLYPHS[letter]):
                for gx, c in enumerate(row):
                    if c != "#":
                        continue
                    for sy in range(scale):
                        y = gy * scale + sy
                        lean = (13 - y) // 4
                        for sx in range(scale):
                            px[top + y + oy][x_letter + gx * scale + sx + lean + ox] = layer
    # The emblem: a folding rule with ticks, a double arrow across it for "convert".
    rect(px, 4, 25, 95, 37, "o")
    rect(px, 5, 26, 94, 36, "y")
    for x in range(7, 94, 4):
        length = 5 if (x - 7) % 20 == 0 else 3
        rect(px, x, 26, x, 26 + length - 1, "k")
    rect(px, 49, 25, 50, 37, "o")  # the hinge of the rule
    rect(px, 30, 32, 69, 32, "r")
    for d in range(1, 4):
        rect(px, 30 + d, 32 - d, 30 + d, 32 + d, "r")
        rect(px, 69 - d, 32 - d, 69 - d, 32 + d, "r")
    write_xpm(HERE / "logo.xpm", "logo_xpm", px, palette)


if __name__ == "__main__":
    draw_calculator()
    draw_logo()

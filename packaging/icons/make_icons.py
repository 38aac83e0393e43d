#!/usr/bin/env python3
"""Draws the Kelvra Chess icon: the board's white king on board squares.

Writes kelvra-chess.svg and kelvra-chess-<size>.png beside this script. The
outline and the cross are the ones the board view draws (game/plateau.cpp),
so the icon is the game's own piece. Only the standard library is used and
the output depends on nothing but this file, so running it again gives the
same pictures; the results are committed and the build needs nothing extra.
"""
import math
import os
import struct
import zlib

SIZES = (16, 24, 32, 48, 64, 128, 256)

# The king as fractions of the square size, from the square's centre.
KING = [(0.3, 0.4), (0.3, 0.3), (0.2, 0.3), (0.2, 0.0), (0.3, -0.2), (0.2, -0.2),
        (0.0, 0.0), (-0.2, -0.2), (-0.3, -0.2), (-0.2, 0.0), (-0.2, 0.3), (-0.3, 0.3),
        (-0.3, 0.4)]
# The cross above the crown: (x1, y1, x2, y2).
CROSS = [(0.0, -0.1, 0.0, -0.3), (-0.1, -0.2, 0.1, -0.2)]

LIGHT = (245, 251, 240)
DARK = (23, 81, 149)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)

# The piece is drawn a little larger than on the board so that it fills the
# icon; widths are fractions of the icon's side.
SCALE = 1.1
OUTLINE = 0.025         # the outline around the king's body
CROSS_FILL = 0.04       # the white bar of the cross; the black one is wider by
                        # an outline on each side, as on the board
HINTED_BELOW = 48       # smaller icons put their lines on whole pixels
SAMPLES = 6             # samples per pixel side for the edges' shading


def lift():
    """Vertical shift that centres the piece, outline and cross caps included."""
    top = min(y for _, y in KING + [(c[0], c[3]) for c in CROSS]) * SCALE
    top -= (CROSS_FILL + 2 * OUTLINE) / 2
    bottom = max(y for _, y in KING) * SCALE + OUTLINE / 2
    return -(top + bottom) / 2


LIFT = lift()


def place(x, y, size=None):
    """A point of the piece in icon units, the icon's centre at (0, 0).

    With a size the point goes to the nearest pixel centre, the piece's axis
    on the pixel column right of the middle, so that one-pixel lines stay sharp
    and the piece stays symmetric.
    """
    x, y = x * SCALE, y * SCALE + LIFT
    if size is None:
        return x, y
    return ((round(x * size) + 0.5) / size,
            (math.floor(y * size + 0.5 * size) + 0.5) / size - 0.5)


def piece_points(size=None):
    return [place(x, y, size) for x, y in KING]


def cross_bars(width, size=None):
    """The cross's strokes as rectangles (x0, y0, x1, y1), square caps included."""
    h = width / 2
    bars = []
    for x1, y1, x2, y2 in CROSS:
        (x1, y1), (x2, y2) = place(x1, y1, size), place(x2, y2, size)
        x1, x2 = sorted((x1, x2))
        y1, y2 = sorted((y1, y2))
        bars.append((x1 - h, y1 - h, x2 + h, y2 + h))
    return bars


def inside(points, x, y):
    result = False
    j = len(points) - 1
    for i in range(len(points)):
        xi, yi = points[i]
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            result = not result
        j = i
    return result


def edge_distance(points, x, y):
    best = math.inf
    j = len(points) - 1
    for i in range(len(points)):
        ax, ay = points[j]
        bx, by = points[i]
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        best = min(best, math.hypot(x - ax - t * dx, y - ay - t * dy))
        j = i
    return best


def in_bars(bars, x, y):
    return any(x0 <= x <= x1 and y0 <= y <= y1 for x0, y0, x1, y1 in bars)


def render(size):
    """Rows of RGB bytes for one icon size."""
    px = 1.0 / size
    # Strokes stay at least a pixel wide so that small icons keep their lines.
    hint = size if size < HINTED_BELOW else None
    outline = max(OUTLINE, px)
    fill_bar = max(CROSS_FILL, px)
    if hint:
        outline, fill_bar = round(outline * size) * px, round(fill_bar * size) * px
    points = piece_points(hint)
    black_bars = cross_bars(fill_bar + 2 * outline, hint)
    white_bars = cross_bars(fill_bar, hint)
    reach = outline / 2
    left = min(x for x, _ in points) - reach
    right = max(x for x, _ in points) + reach
    top = min(min(b[1] for b in black_bars), min(y for _, y in points)) - reach
    bottom = max(y for _, y in points) + reach

    def colour(x, y):
        if in_bars(white_bars, x, y):
            return WHITE
        if in_bars(black_bars, x, y):
            return BLACK
        if left <= x <= right and top <= y <= bottom:
            if edge_distance(points, x, y) <= reach:
                return BLACK
            if inside(points, x, y):
                return WHITE
        # Four squares of the board, light ones at the top left and bottom right.
        return LIGHT if (x < 0) == (y < 0) else DARK

    rows = []
    n = SAMPLES
    for row in range(size):
        line = bytearray()
        for column in range(size):
            total = [0, 0, 0]
            for sy in range(n):
                y = (row + (sy + 0.5) / n) * px - 0.5
                for sx in range(n):
                    x = (column + (sx + 0.5) / n) * px - 0.5
                    c = colour(x, y)
                    total[0] += c[0]
                    total[1] += c[1]
                    total[2] += c[2]
            line += bytes(round(t / (n * n)) for t in total)
        rows.append(bytes(line))
    return rows


def png(size, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 2, 0, 0, 0)
    raw = b"".join(b"\0" + r for r in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def svg():
    side = 256

    def u(v):  # icon units to SVG user units, from the top left corner
        return f"{(v + 0.5) * side:.2f}".rstrip("0").rstrip(".")

    def w(v):
        return f"{v * side:.2f}".rstrip("0").rstrip(".")

    def hexcolour(c):
        return "#%02x%02x%02x" % c

    half = side // 2
    points = " ".join(f"{u(x)},{u(y)}" for x, y in piece_points())
    lines = []
    for x1, y1, x2, y2 in CROSS:
        lines.append((u(x1 * SCALE), u(y1 * SCALE + LIFT), u(x2 * SCALE), u(y2 * SCALE + LIFT)))
    out = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{side}" height="{side}" '
        f'viewBox="0 0 {side} {side}">',
        '  <title>Kelvra Chess</title>',
        f'  <rect width="{side}" height="{side}" fill="{hexcolour(LIGHT)}"/>',
        f'  <rect x="{half}" width="{half}" height="{half}" fill="{hexcolour(DARK)}"/>',
        f'  <rect y="{half}" width="{half}" height="{half}" fill="{hexcolour(DARK)}"/>',
        f'  <polygon points="{points}" fill="#ffffff" stroke="#000000" '
        f'stroke-width="{w(OUTLINE)}" stroke-linejoin="round"/>',
    ]
    for width, stroke in ((CROSS_FILL + 2 * OUTLINE, "#000000"), (CROSS_FILL, "#ffffff")):
        out.append(f'  <g stroke="{stroke}" stroke-width="{w(width)}" stroke-linecap="square">')
        for x1, y1, x2, y2 in lines:
            out.append(f'    <line x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}"/>')
        out.append('  </g>')
    out.append('</svg>')
    return "\n".join(out) + "\n"


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "kelvra-chess.svg"), "w", encoding="utf-8") as f:
        f.write(svg())
    for size in SIZES:
        with open(os.path.join(here, f"kelvra-chess-{size}.png"), "wb") as f:
            f.write(png(size, render(size)))


if __name__ == "__main__":
    main()

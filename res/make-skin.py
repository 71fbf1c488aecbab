#!/usr/bin/python3
"""Generates the editor's skin images (res/skin/*.png) and its program icon.

Only the Python standard library is used, so the images are reproducible on any machine:
the same script gives byte-identical PNGs (no timestamps, fixed compression, no randomness
beyond a seeded generator). Shapes are drawn with signed-distance anti-aliasing.

    res/make-skin.py            # rewrite res/skin/*.png and res/orvx-editor.png
"""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
SKIN = os.path.join(HERE, "skin")


def hexrgb(text, alpha=1.0):
    text = text.lstrip("#")
    return (int(text[0:2], 16) / 255.0, int(text[2:4], 16) / 255.0, int(text[4:6], 16) / 255.0, alpha)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(4))


class Canvas:
    def __init__(self, width, height):
        self.w = width
        self.h = height
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]

    def blend(self, x, y, colour, coverage):
        a = colour[3] * coverage
        if a <= 0.0:
            return
        p = self.px[y * self.w + x]
        out_a = a + p[3] * (1.0 - a)
        for i in range(3):
            p[i] = (colour[i] * a + p[i] * p[3] * (1.0 - a)) / out_a if out_a > 0 else 0.0
        p[3] = out_a

    def fill(self, sdf, paint, box=None):
        """Paints every pixel inside the shape `sdf` (negative inside) with `paint(x, y)`."""
        x0, y0, x1, y1 = box if box else (0, 0, self.w, self.h)
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                d = sdf(x + 0.5, y + 0.5)
                coverage = min(1.0, max(0.0, 0.5 - d))
                if coverage > 0.0:
                    self.blend(x, y, paint(x + 0.5, y + 0.5), coverage)

    def png(self, path):
        raw = bytearray()
        for y in range(self.h):
            raw.append(0)
            for x in range(self.w):
                p = self.px[y * self.w + x]
                raw.extend(int(round(max(0.0, min(1.0, v)) * 255)) for v in p)

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        header = struct.pack(">IIBBBBB", self.w, self.h, 8, 6, 0, 0, 0)
        data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")
        with open(path, "wb") as f:
            f.write(data)


def rounded_rect(x, y, w, h, r):
    cx, cy, hx, hy = x + w / 2.0, y + h / 2.0, w / 2.0 - r, h / 2.0 - r

    def sdf(px, py):
        qx, qy = abs(px - cx) - hx, abs(py - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r
    return sdf


def circle(cx, cy, r):
    return lambda px, py: math.hypot(px - cx, py - cy) - r


def ring(cx, cy, r, width):
    return lambda px, py: abs(math.hypot(px - cx, py - cy) - r) - width / 2.0


def solid(colour):
    return lambda x, y: colour


def vgradient(top, bottom, y0, y1):
    def paint(x, y):
        t = min(1.0, max(0.0, (y - y0) / float(max(1, y1 - y0))))
        return mix(top, bottom, t)
    return paint


def radial(inner, outer, cx, cy, r):
    def paint(x, y):
        t = min(1.0, math.hypot(x - cx, y - cy) / r)
        return mix(inner, outer, t)
    return paint


# ---------------------------------------------------------------- buttons (9-slice, corners 6 px)

BUTTON_W, BUTTON_H, RADIUS = 48, 32, 4.0


def button(name, top, bottom, border, glow=None, highlight=0.10):
    c = Canvas(BUTTON_W, BUTTON_H)
    c.fill(rounded_rect(0, 0, BUTTON_W, BUTTON_H, RADIUS + 0.5), solid(hexrgb("#07090b")))
    c.fill(rounded_rect(1, 1, BUTTON_W - 2, BUTTON_H - 2, RADIUS), solid(hexrgb(border)))
    c.fill(rounded_rect(2, 2, BUTTON_W - 4, BUTTON_H - 4, RADIUS - 1),
           vgradient(hexrgb(top), hexrgb(bottom), 2, BUTTON_H - 2))
    if glow:
        # A lit key glows from its middle, like a backlit cap.
        c.fill(rounded_rect(2, 2, BUTTON_W - 4, BUTTON_H - 4, RADIUS - 1),
               radial(hexrgb(glow, 0.55), hexrgb(glow, 0.0), BUTTON_W / 2.0, BUTTON_H / 2.0, BUTTON_W * 0.55))
    c.fill(rounded_rect(3, 2, BUTTON_W - 6, 1, 0.5), solid((1.0, 1.0, 1.0, highlight)))
    c.png(os.path.join(SKIN, name + ".png"))


def buttons():
    button("button_normal", "#3b424d", "#272c34", "#4a525f")
    button("button_hover", "#48505c", "#30363f", "#5d6775")
    button("button_disabled", "#262a31", "#22262c", "#2e333b", highlight=0.03)
    # Lit keys keep a dark body so the cyan caption of a checked button stays readable.
    button("button_lit", "#0b3a44", "#072229", "#00c8e6", glow="#1ad2ee")
    button("button_red", "#a3161c", "#6a0d11", "#ff4a4a", glow="#ff5050")
    button("button_amber", "#a66a00", "#6b4300", "#ffb423", glow="#ffc040")
    button("button_green", "#1f7a1a", "#124a10", "#62e64a", glow="#7cff5c")


def tabs():
    """View tabs: flat keys; the current one carries an accent bar along its bottom."""
    for name, top, bottom, bar in (("tab_normal", "#2b3038", "#20242b", None),
                                   ("tab_down", "#1a3a42", "#132a30", "#00e6ff")):
        c = Canvas(BUTTON_W, BUTTON_H)
        c.fill(rounded_rect(0, 0, BUTTON_W, BUTTON_H, 3.0), solid(hexrgb("#3a414c")))
        c.fill(rounded_rect(1, 1, BUTTON_W - 2, BUTTON_H - 2, 2.5), vgradient(hexrgb(top), hexrgb(bottom), 1, BUTTON_H))
        if bar:
            c.fill(rounded_rect(3, BUTTON_H - 5, BUTTON_W - 6, 3, 1.5), solid(hexrgb(bar)))
        c.png(os.path.join(SKIN, name + ".png"))


def combos():
    """Drop-down faces: recessed field, a divider and a chevron in the right 22 px."""
    w, h = 64, 24
    for name, border, chevron in (("combo_face", "#3a414c", "#00c8e6"), ("combo_hover", "#00a8c0", "#5cf0ff")):
        c = Canvas(w, h)
        c.fill(rounded_rect(0, 0, w, h, 3.5), solid(hexrgb(border)))
        c.fill(rounded_rect(1, 1, w - 2, h - 2, 3.0), vgradient(hexrgb("#15181d"), hexrgb("#22272f"), 1, h))
        c.fill(rounded_rect(w - 22, 4, 1, h - 8, 0.0), solid(hexrgb("#3a414c")))
        cx, cy = w - 11.0, h / 2.0

        def chev(px, py, cx=cx, cy=cy):
            # Two strokes meeting at the bottom point.
            d1 = abs((py - (cy + 2)) + 0.7 * (px - cx)) / math.hypot(1, 0.7)
            d2 = abs((py - (cy + 2)) - 0.7 * (px - cx)) / math.hypot(1, 0.7)
            inside_x = abs(px - cx) <= 4.5 and py <= cy + 2.6
            return (min(d1, d2) - 0.8) if inside_x else 9.0
        c.fill(chev, solid(hexrgb(chevron)))
        c.png(os.path.join(SKIN, name + ".png"))


def lamps():
    """Status lamp: a domed LED in a bezel, lit green or dark."""
    w, h = 60, 45
    cx, cy, r = w / 2.0, h / 2.0, 15.0
    for name, inner, outer, halo in (("lamp_on", "#d8ffd0", "#1fb81a", "#3cff30"),
                                     ("lamp_off", "#3a4a3a", "#101810", None)):
        c = Canvas(w, h)
        if halo:
            c.fill(circle(cx, cy, r + 7), radial(hexrgb(halo, 0.45), hexrgb(halo, 0.0), cx, cy, r + 7))
        c.fill(circle(cx, cy, r + 2.5), vgradient(hexrgb("#5a626e"), hexrgb("#0c0e11"), cy - r, cy + r))
        c.fill(circle(cx, cy, r), radial(hexrgb(inner), hexrgb(outer), cx - 4, cy - 5, r * 1.5))
        c.fill(circle(cx - 4.5, cy - 5.5, 4.0), radial((1, 1, 1, 0.55), (1, 1, 1, 0.0), cx - 4.5, cy - 5.5, 4.0))
        c.png(os.path.join(SKIN, name + ".png"))


def fader_caps():
    """Fader caps 36 x 52: grey grip with ridges, a centre line (cyan while held)."""
    w, h = 36, 52
    for name, line in (("fader_cap", "#0a0a0a"), ("fader_cap_active", "#00e6ff")):
        c = Canvas(w, h)
        c.fill(rounded_rect(0, 1, w, h - 1, 4.0), solid((0, 0, 0, 0.5)))  # drop shadow
        c.fill(rounded_rect(0, 0, w, h - 1, 4.0), solid(hexrgb("#050607")))
        c.fill(rounded_rect(1, 1, w - 2, h - 3, 3.5), vgradient(hexrgb("#e6e9ee"), hexrgb("#8d939c"), 1, h / 2.0))
        c.fill(rounded_rect(1, h / 2.0, w - 2, h / 2.0 - 2, 3.5), vgradient(hexrgb("#6d737c"), hexrgb("#a9afb8"), h / 2.0, h))
        for k in (6, 11, 16):
            for y in (k, h - 2 - k):
                c.fill(rounded_rect(4, y, w - 8, 1, 0.4), solid((0, 0, 0, 0.35)))
                c.fill(rounded_rect(4, y + 1, w - 8, 1, 0.4), solid((1, 1, 1, 0.25)))
        c.fill(rounded_rect(2, h / 2.0 - 1.5, w - 4, 2.0, 0.8), solid(hexrgb(line)))
        c.png(os.path.join(SKIN, name + ".png"))


def knob_body():
    """Knob cap 64 x 64: knurled rim, domed top lit from the upper left (not rotated when drawn)."""
    s = 64
    cx = cy = s / 2.0
    c = Canvas(s, s)
    c.fill(circle(cx, cy + 1, 31), solid((0, 0, 0, 0.55)))
    c.fill(circle(cx, cy, 30), solid(hexrgb("#0c0e11")))
    teeth = 36

    def rim(px, py):
        a = math.atan2(py - cy, px - cx)
        bump = 0.9 * math.cos(a * teeth)
        return math.hypot(px - cx, py - cy) - (28.5 + bump)
    c.fill(rim, vgradient(hexrgb("#5b636e"), hexrgb("#23272d"), 2, s - 2))
    c.fill(circle(cx, cy, 23), radial(hexrgb("#626a76"), hexrgb("#2b3037"), cx - 8, cy - 10, 34))
    c.fill(ring(cx, cy, 23, 1.0), solid((0, 0, 0, 0.6)))
    c.png(os.path.join(SKIN, "knob_body.png"))


def background_tile():
    """A 64 x 64 tile of the window background: dark blue-grey with a fine seeded grain."""
    s = 64
    c = Canvas(s, s)
    seed = 0x5EED
    base = hexrgb("#181b20")
    for y in range(s):
        for x in range(s):
            seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
            grain = ((seed >> 16) % 9 - 4) / 255.0
            c.px[y * s + x] = [base[0] + grain, base[1] + grain, base[2] + grain * 1.2, 1.0]
    c.png(os.path.join(SKIN, "bg_tile.png"))

    # The strip panel tile: a shade lighter than the window, the same fine grain.
    p = Canvas(s, s)
    seed = 0x57A1
    base = hexrgb("#20242b")
    for y in range(s):
        for x in range(s):
            seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
            grain = ((seed >> 16) % 7 - 3) / 255.0
            p.px[y * s + x] = [base[0] + grain, base[1] + grain, base[2] + grain * 1.2, 1.0]
    p.png(os.path.join(SKIN, "strip_bg.png"))


def program_icon():
    """256 x 256 program icon: a console panel with three faders and lit meters."""
    s = 256
    c = Canvas(s, s)
    c.fill(rounded_rect(8, 8, 240, 240, 40), solid(hexrgb("#0a0c0f")))
    c.fill(rounded_rect(12, 12, 232, 232, 36), vgradient(hexrgb("#2c323b"), hexrgb("#15181d"), 12, 244))
    for i, level in enumerate((0.62, 0.38, 0.78)):
        x = 44 + i * 72
        c.fill(rounded_rect(x - 4, 44, 8, 168, 4), solid(hexrgb("#050607")))
        lit_top = 212 - 168 * level
        c.fill(rounded_rect(x - 2, lit_top, 4, 212 - lit_top, 2), solid(hexrgb("#00c8e6")))
        cap_y = lit_top - 14
        c.fill(rounded_rect(x - 22, cap_y, 44, 28, 5), vgradient(hexrgb("#eef1f4"), hexrgb("#8d939c"), cap_y, cap_y + 28))
        c.fill(rounded_rect(x - 19, cap_y + 13, 38, 3, 1.5), solid(hexrgb("#101215")))
        # LED meter beside each fader: green, amber, red.
        for k in range(10):
            y = 204 - k * 16
            colour = "#dbfe24" if k < 6 else ("#ffb023" if k < 8 else "#ff2323")
            lit = k < int(level * 10) + 1
            c.fill(rounded_rect(x + 27, y, 8, 11, 2), solid(hexrgb(colour, 1.0 if lit else 0.18)))
    c.png(os.path.join(HERE, "orvx-editor.png"))


def main():
    os.makedirs(SKIN, exist_ok=True)
    buttons()
    tabs()
    combos()
    lamps()
    fader_caps()
    knob_body()
    background_tile()
    program_icon()


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Draws the toolbar and menu icons as small PNGs, and again at twice the size
("name@2x.png") for high-resolution screens (run from this folder)."""
import math
import struct
import zlib

S = 24


SCALE = 1


class Icon:
    # Shapes are given in the icon's own units; SCALE pixels make a unit.
    def __init__(self, size=S):
        self.k = SCALE
        self.n = size * SCALE
        self.px = [[(0, 0, 0, 0)] * self.n for _ in range(self.n)]

    def put(self, x, y, c, a=1.0):
        if 0 <= x < self.n and 0 <= y < self.n and a > 0:
            r, g, b = c
            br, bg, bb, ba = self.px[y][x]
            na = a + ba / 255 * (1 - a)
            if na <= 0:
                return
            mix = lambda s, d: int((s * a + d * ba / 255 * (1 - a)) / na)
            self.px[y][x] = (mix(r, br), mix(g, bg), mix(b, bb), int(na * 255))

    def rect(self, x0, y0, x1, y1, c):
        k = self.k
        for y in range(y0 * k, y1 * k):
            for x in range(x0 * k, x1 * k):
                self.put(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        self.rect(x0, y0, x1, y0 + 1, c)
        self.rect(x0, y1 - 1, x1, y1, c)
        self.rect(x0, y0, x0 + 1, y1, c)
        self.rect(x1 - 1, y0, x1, y1, c)

    def scaled(self, pts):
        return [(x * self.k, y * self.k) for x, y in pts]

    def line(self, pts, c, w=2.0):
        # Antialiased thick polyline by distance to each segment.
        pts, w = self.scaled(pts), w * self.k
        for y in range(self.n):
            for x in range(self.n):
                px, py = x + 0.5, y + 0.5
                d = 1e9
                for (ax, ay), (bx, by) in zip(pts, pts[1:]):
                    vx, vy = bx - ax, by - ay
                    l2 = vx * vx + vy * vy or 1e-9
                    t = max(0, min(1, ((px - ax) * vx + (py - ay) * vy) / l2))
                    d = min(d, math.hypot(px - ax - t * vx, py - ay - t * vy))
                self.put(x, y, c, max(0.0, min(1.0, w / 2 + 0.5 - d)))

    def poly(self, pts, c):
        pts = self.scaled(pts)
        for y in range(self.n):
            for x in range(self.n):
                px, py = x + 0.5, y + 0.5
                inside = False
                for (ax, ay), (bx, by) in zip(pts, pts[1:] + pts[:1]):
                    if (ay > py) != (by > py) and px < ax + (py - ay) * (bx - ax) / (by - ay):
                        inside = not inside
                if inside:
                    self.put(x, y, c)

    def disc(self, cx, cy, r, c):
        cx, cy, r = cx * self.k, cy * self.k, r * self.k
        for y in range(self.n):
            for x in range(self.n):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                self.put(x, y, c, max(0.0, min(1.0, r + 0.5 - d)))

    def save(self, name):
        if self.k != 1:
            name = name.replace(".png", "@%dx.png" % self.k)
        raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in self.px)
        chunk = lambda t, d: struct.pack(">I", len(d)) + t + d + struct.pack(">I", zlib.crc32(t + d))
        data = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", self.n, self.n, 8, 6, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
        open(name, "wb").write(data)


BLUE, DARK, RED, GREEN, GRAY, YELLOW, WHITE = (
    (40, 90, 200), (40, 40, 40), (210, 40, 40), (30, 150, 60), (120, 120, 120), (235, 180, 40), (255, 255, 255))


def wave(ic, c=BLUE, y0=16, amp=9):
    pts = [(2 + i * 0.5, y0 - amp * math.exp(-((i * 0.5 - 9) ** 2) / 6)) for i in range(41)]
    ic.line(pts, c, 1.6)


def icons():
    i = Icon(); i.poly([(2, 7), (9, 7), (11, 9), (21, 9), (21, 20), (2, 20)], YELLOW)
    i.line([(2, 7), (9, 7), (11, 9), (21, 9), (21, 20), (2, 20), (2, 7)], (150, 110, 20), 1.2); i.save("open.png")
    i = Icon(); i.rect(3, 3, 21, 21, BLUE); i.rect(7, 3, 17, 10, WHITE); i.rect(6, 14, 18, 21, (220, 220, 230))
    i.rect(13, 4, 16, 9, BLUE); i.save("save.png")
    i = Icon(); i.line([(19, 18), (19, 11), (6, 11)], BLUE, 2.4); i.poly([(2, 11), (9, 5), (9, 17)], BLUE); i.save("undo.png")
    i = Icon(); i.line([(5, 18), (5, 11), (18, 11)], BLUE, 2.4); i.poly([(22, 11), (15, 5), (15, 17)], BLUE); i.save("redo.png")
    i = Icon(); wave(i); i.line([(7, 2), (7, 22)], RED, 1.6); i.save("aglin.png")
    i = Icon(); wave(i); i.line([(17, 2), (17, 22)], RED, 1.6); i.save("jiSuan.png")
    i = Icon(); wave(i, GRAY); i.line([(12, 4), (12, 14)], GREEN, 2.4); i.line([(7, 9), (17, 9)], GREEN, 2.4); i.save("waveAdd.png")
    i = Icon(); wave(i, GRAY); i.line([(5, 4), (19, 18)], RED, 2.6); i.line([(19, 4), (5, 18)], RED, 2.6); i.save("del.png")
    i = Icon(); i.frame(1, 2, 23, 22, DARK); wave(i, BLUE, 18, 12); i.save("wave.png")
    i = Icon(); i.frame(2, 3, 22, 21, DARK)
    for y in (8, 13, 18):
        i.rect(4, y - 1, 20, y, GRAY)
    i.rect(2, 3, 22, 6, BLUE); i.save("view.png")
    i = Icon()
    for r, c in ((10, (40, 80, 220)), (7, (40, 200, 120)), (4, (240, 200, 40)), (2, (220, 50, 40))):
        i.disc(12, 12, r, c)
    i.save("dengzhi.png")
    i = Icon()
    for y, x in ((6, 8), (12, 15), (18, 6)):
        i.line([(3, y), (21, y)], GRAY, 1.4); i.disc(x, y, 2.6, BLUE)
    i.save("param.png")
    i = Icon(); i.frame(2, 3, 22, 21, DARK); i.line([(5, 17), (10, 10), (14, 14), (19, 6)], RED, 1.8); i.save("table.png")
    i = Icon(); i.rect(4, 2, 20, 22, WHITE); i.frame(4, 2, 20, 22, BLUE); i.rect(2, 7, 13, 18, BLUE)
    i.line([(4, 9), (5.5, 16), (7.5, 11), (9.5, 16), (11, 9)], WHITE, 1.2); i.save("word.png")
    i = Icon(); i.rect(4, 2, 20, 22, WHITE); i.frame(4, 2, 20, 22, GREEN); i.rect(2, 7, 13, 18, GREEN)
    i.line([(4, 9), (11, 16)], WHITE, 1.5); i.line([(11, 9), (4, 16)], WHITE, 1.5); i.save("excel.png")
    i = Icon(26); i.disc(13, 13, 12, GREEN); i.line([(7, 13), (11.5, 18), (19, 8)], WHITE, 3); i.save("check_26.png")
    i = Icon(); wave(i); i.frame(1, 2, 23, 22, DARK); i.save("tarvel.png")


for SCALE in (1, 2):
    icons()

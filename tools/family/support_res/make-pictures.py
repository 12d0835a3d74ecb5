#!/usr/bin/env python3
"""Draws the support library's pictures into pictures/: the framed picture
(1100, a help desk: a speech bubble over a page) and the small drawn one
(1003, a globe, magenta transparent), and the page's icon (1102). Uses the
drawing helpers of tools/make-ui-pictures.py.

Usage: tools/family/support_res/make-pictures.py
"""
import os
import runpy
import types

here = os.path.dirname(os.path.abspath(__file__))
# The helpers' file name has hyphens, so it is run rather than imported.
p = types.SimpleNamespace(**runpy.run_path(os.path.join(here, "..", "..", "make-ui-pictures.py"), run_name="pictures"))


def help_desk():
    c = p.Canvas(120, 72, p.WHITE)
    c.fill(p.rect(0, 0, 120, 72), (232, 240, 250))
    c.fill(p.rect(14, 16, 50, 64), (255, 255, 255))
    for y in range(22, 60, 6):
        c.fill(p.rect(18, y, 46, y + 2), (150, 150, 160))
    c.fill(p.ellipse(84, 28, 28, 18), (0, 110, 200))
    c.fill(p.polygon([(70, 40), (62, 58), (82, 44)]), (0, 110, 200))
    c.fill(p.segment(84, 18, 84, 30, 5), p.WHITE)
    c.fill(p.ellipse(84, 38, 3, 3), p.WHITE)
    return c


def globe(size, background):
    c = p.Canvas(size, size, background)
    r = size / 2.0 - 1
    c.fill_hard(p.ellipse(size / 2.0, size / 2.0, r, r), (0, 110, 200))
    c.fill_hard(p.ellipse(size / 2.0, size / 2.0, r * 0.4, r), (40, 160, 90))
    c.fill_hard(p.rect(1, size / 2.0 - 1, size - 1, size / 2.0 + 1), p.WHITE)
    return c


def main():
    out = os.path.join(here, "pictures")
    os.makedirs(out, exist_ok=True)
    files = {
        "support.bmp": p.bmp_bytes(help_desk()),
        "globe.bmp": p.bmp_bytes(globe(32, p.MAGENTA)),
        "support.ico": p.ico_bytes(globe(32, p.BLACK)),
    }
    for name, data in files.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()

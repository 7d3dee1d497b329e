#!/usr/bin/env python3
"""Draws the application icon for the desktop's icon theme: the picture of
skin/common/app_icon.svg (a dark rounded square framed in the accent colour, with an "M") as
PNG files of the usual hicolor sizes, plus the SVG itself as the scalable one.

    make_app_icons.py OUTDIR ICON_NAME

writes OUTDIR/<size>x<size>/apps/ICON_NAME.png for each size and
OUTDIR/scalable/apps/ICON_NAME.svg. Drawn with the skin generator's shapes: no image library.
"""

import pathlib
import shutil
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import make_skin  # noqa: E402

SIZES = (16, 32, 48, 64, 128, 256)
DARK = (28, 31, 38)
ACCENT = make_skin.ACCENT
# The SVG's polyline, in its 64 x 64 view box.
STROKE = ((16, 46), (16, 18), (32, 36), (48, 18), (48, 46))


def layers():
    """The SVG's drawing in view-box units: the frame (stroke 5 around the 56 x 56 square with
    radius 12), its dark fill, and the round-capped "M" of stroke width 7."""
    shapes = [(ACCENT, make_skin.rrect(1.5, 1.5, 61, 61, 14.5)),
              (DARK, make_skin.rrect(6.5, 6.5, 51, 51, 9.5))]
    for (x1, y1), (x2, y2) in zip(STROKE, STROKE[1:]):
        shapes.append((ACCENT, make_skin.segment(x1, y1, x2, y2, 7)))
    return shapes


def scaled(size):
    factor = 64 / size
    return [(colour, (lambda shape: lambda px, py: shape(px * factor, py * factor))(shape))
            for colour, shape in layers()]


def main(argv):
    if len(argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    out, name = pathlib.Path(argv[0]), argv[1]
    for size in SIZES:
        target = out / ("%dx%d" % (size, size)) / "apps" / (name + ".png")
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_bytes(make_skin.icon(size, size, scaled(size)))
    scalable = out / "scalable" / "apps" / (name + ".svg")
    scalable.parent.mkdir(parents=True, exist_ok=True)
    shutil.copyfile(make_skin.SKIN_DIR / "common" / "app_icon.svg", scalable)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

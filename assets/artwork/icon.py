"""The program icon: a small tachometer, its needle in the red zone. Drawn once large
and scaled down to each icon size, with heavier strokes for the small ones so they
stay readable at 16 pixels."""

import math

from PIL import Image, ImageDraw

from common import GLOW_RED, RED, STEEL_DARK, STEEL_LIGHT, mix

ICON_SIZES = (256, 48, 32, 16)
_SCALE = 4  # drawn this many times larger, then reduced: smooth edges


def _point(c, r, degrees):
    a = math.radians(degrees)
    return (c + r * math.cos(a), c - r * math.sin(a))


def _dial(size):
    s = size * _SCALE
    c = s / 2
    small = size <= 32
    img = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    # Bezel: steel ring around a black face.
    for i, r in enumerate(range(int(c * 0.98), int(c * 0.84), -1)):
        d.ellipse((c - r, c - r, c + r, c + r), fill=mix(STEEL_LIGHT, STEEL_DARK, i / (c * 0.14)))
    face = c * 0.84
    d.ellipse((c - face, c - face, c + face, c + face), fill=(8, 8, 10))
    # The scale sweeps 240 degrees, from lower left over the top to lower right.
    band = face * (0.22 if small else 0.14)
    outer = face * 0.92
    box = (c - outer, c - outer, c + outer, c + outer)
    d.arc(box, start=-210 + 360, end=-30 + 360 - 60, fill=(70, 74, 82), width=int(band))
    d.arc(box, start=-90, end=30, fill=RED, width=int(band))
    if not small:
        for step in range(0, 9):
            a = 210 - step * 30
            d.line([_point(c, outer - band * 1.2, a), _point(c, outer - band * 2.3, a)],
                   fill=(235, 238, 242), width=max(int(s / 90), 1))
    # Needle into the red zone, and its hub.
    width = int(s * (0.09 if small else 0.045))
    tip = _point(c, face * 0.86, 25)
    d.line([_point(c, face * 0.18, 205), tip], fill=GLOW_RED, width=width)
    hub = face * (0.2 if small else 0.13)
    d.ellipse((c - hub, c - hub, c + hub, c + hub), fill=STEEL_LIGHT)
    return img.resize((size, size), Image.LANCZOS)


def program_icon():
    """The icon's pictures, largest first."""
    return [_dial(size) for size in ICON_SIZES]


def save_icon(path):
    images = program_icon()
    images[0].save(path, format="ICO", sizes=[(n, n) for n in ICON_SIZES], append_images=images[1:])

"""Palette, fonts and drawing helpers shared by every picture of the artwork."""

import math
import random

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont


def bgr(value):
    """The program writes colours as 0x00BBGGRR; Pillow wants (r, g, b)."""
    return (value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF)


# Surfaces the pictures sit on.
TOP_AREA = bgr(0x00302D28)  # top area, result and promotion dialogs
HEADING_BAR = bgr(0x004D4C49)  # heading and bottom bars, box borders
RULE = bgr(0x005B5655)  # ruling lines, map rule
DETAILS_PANEL = bgr(0x002A2D2B)  # CPU details panel, map footer
FRAME_RED = bgr(0x000000A6)
FRAME_GREY = bgr(0x009E988D)
BLACK = (0, 0, 0)

# Accents the pages use for text.
RED = (255, 0, 0)
SKY = bgr(0x00F7D155)
BLUE = bgr(0x00D98110)
SILVER = (192, 192, 192)
WHITE = (255, 255, 255)
YELLOW = (255, 255, 0)
LIME = (0, 255, 0)

# The artwork's own shades, picked to sit between the surfaces above.
STEEL_LIGHT = (214, 220, 226)
STEEL_MID = (128, 134, 142)
STEEL_DARK = (46, 49, 54)
GLOW_RED = (255, 48, 32)
GLOW_SKY = (90, 200, 255)
GLOW_GREEN = (70, 255, 110)

_FONT_FILES = {
    "sans": "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
    "sans-bold": "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf",
    "narrow-bold": "/usr/share/fonts/truetype/liberation/LiberationSansNarrow-Bold.ttf",
    "condensed-bold": "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf",
    "condensed": "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed.ttf",
}


def font(kind, size):
    return ImageFont.truetype(_FONT_FILES[kind], size)


def seeded(name):
    """A random generator of its own for each picture, so every run draws the same."""
    return random.Random(f"tachora-artwork:{name}")


def lerp(a, b, t):
    return a + (b - a) * t


def mix(c0, c1, t):
    t = max(0.0, min(1.0, t))
    return tuple(int(round(lerp(x, y, t))) for x, y in zip(c0, c1))


def rgba(colour, alpha=255):
    return tuple(colour[:3]) + (alpha,)


class Canvas:
    """An RGBA picture drawn at a supersampled size and reduced at the end."""

    def __init__(self, width, height, background=(0, 0, 0, 0), ss=4):
        self.width, self.height, self.ss = width, height, ss
        if len(background) == 3:
            background = rgba(background)
        self.image = Image.new("RGBA", (width * ss, height * ss), background)

    def s(self, v):
        return v * self.ss

    def box(self, x0, y0, x1, y1):
        ss = self.ss
        return (x0 * ss, y0 * ss, x1 * ss, y1 * ss)

    def points(self, pts):
        return [(x * self.ss, y * self.ss) for x, y in pts]

    def layer(self):
        return Image.new("RGBA", self.image.size, (0, 0, 0, 0))

    def mask(self):
        return Image.new("L", self.image.size, 0)

    def over(self, layer):
        self.image = Image.alpha_composite(self.image, layer)

    def fill_mask(self, mask, colour, alpha=255):
        """Paints a solid colour through a greyscale mask."""
        solid = Image.new("RGBA", self.image.size, rgba(colour))
        a = mask if alpha == 255 else mask.point(lambda v: v * alpha // 255)
        solid.putalpha(a)
        self.over(solid)

    def paint_mask(self, mask, paint):
        """Paints an RGBA image through a greyscale mask (both at full size)."""
        layer = paint.copy()
        layer.putalpha(ImageChops.multiply(paint.getchannel("A"), mask))
        self.over(layer)

    def glow(self, mask, colour, radius, strength=1.0):
        blurred = mask.filter(ImageFilter.GaussianBlur(radius * self.ss))
        if strength != 1.0:
            blurred = blurred.point(lambda v: min(255, int(v * strength)))
        self.fill_mask(blurred, colour)

    def text(self, xy, text, fnt, fill, anchor="mm", layer=None, stroke=0, stroke_fill=None):
        target = layer if layer is not None else self.image
        d = ImageDraw.Draw(target)
        d.text((xy[0] * self.ss, xy[1] * self.ss), text, font=fnt, fill=rgba(fill) if len(fill) == 3 else fill,
               anchor=anchor, stroke_width=stroke, stroke_fill=stroke_fill)

    def font(self, kind, size):
        return font(kind, int(round(size * self.ss)))

    def result(self, mode="RGBA"):
        small = self.image.resize((self.width, self.height), Image.LANCZOS)
        return small if mode == "RGBA" else flatten(small, BLACK).convert(mode)


def flatten(image, colour):
    base = Image.new("RGBA", image.size, rgba(colour))
    return Image.alpha_composite(base, image.convert("RGBA")).convert("RGB")


def linear_gradient(size, stops, vertical=True):
    """An RGBA image running through colour stops [(t, (r,g,b[,a])), ...]."""
    w, h = size
    length = h if vertical else w
    line = Image.new("RGBA", (1, length) if vertical else (length, 1))
    px = line.load()
    for i in range(length):
        t = i / max(1, length - 1)
        for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
            if t0 <= t <= t1:
                u = 0 if t1 == t0 else (t - t0) / (t1 - t0)
                c0, c1 = rgba(c0) if len(c0) == 3 else c0, rgba(c1) if len(c1) == 3 else c1
                colour = tuple(int(round(lerp(a, b, u))) for a, b in zip(c0, c1))
                break
        if vertical:
            px[0, i] = colour
        else:
            px[i, 0] = colour
    return line.resize((w, h), Image.BILINEAR)


_RADIAL = None


def _radial_unit():
    """512 x 512 greyscale: 0 at the centre rising to 255 at radius 256 and beyond."""
    global _RADIAL
    if _RADIAL is None:
        n = 512
        data = bytearray(n * n)
        for y in range(n):
            dy = (y + 0.5 - n / 2) ** 2
            row = y * n
            for x in range(n):
                d = math.sqrt((x + 0.5 - n / 2) ** 2 + dy) / (n / 2)
                data[row + x] = min(255, int(d * 255))
        _RADIAL = Image.frombytes("L", (n, n), bytes(data))
    return _RADIAL


def radial_gradient(size, centre, radius, inner, outer):
    """RGBA: inner colour at the centre fading to the outer colour at the radius."""
    d = max(2, int(round(radius * 2)))
    t = Image.new("L", size, 255)
    t.paste(_radial_unit().resize((d, d), Image.BILINEAR), (int(round(centre[0] - d / 2)),
                                                            int(round(centre[1] - d / 2))))
    a = Image.new("RGBA", size, rgba(inner) if len(inner) == 3 else inner)
    b = Image.new("RGBA", size, rgba(outer) if len(outer) == 3 else outer)
    return Image.composite(b, a, t)


def ellipse_mask(canvas, box, width=None):
    m = canvas.mask()
    d = ImageDraw.Draw(m)
    if width is None:
        d.ellipse(canvas.box(*box), fill=255)
    else:
        d.ellipse(canvas.box(*box), outline=255, width=int(round(width * canvas.ss)))
    return m


def circle_box(cx, cy, r):
    return (cx - r, cy - r, cx + r, cy + r)


def rounded_mask(canvas, box, radius):
    m = canvas.mask()
    ImageDraw.Draw(m).rounded_rectangle(canvas.box(*box), radius=radius * canvas.ss, fill=255)
    return m


def polygon_mask(canvas, pts):
    m = canvas.mask()
    ImageDraw.Draw(m).polygon(canvas.points(pts), fill=255)
    return m


def metal(size, light=STEEL_LIGHT, dark=STEEL_DARK, angle_deg=-60):
    """A brushed-steel fill: a diagonal sheen with faint fixed-seed streaks."""
    w, h = size
    diag = linear_gradient((w, h), [(0, light), (0.38, mix(light, dark, 0.45)), (0.5, dark),
                                    (0.62, mix(light, dark, 0.6)), (0.8, mix(light, dark, 0.25)), (1, dark)])
    if angle_deg:
        big = diag.resize((int(w * 1.5), int(h * 1.5))).rotate(angle_deg + 90, resample=Image.BILINEAR)
        diag = big.crop(((big.width - w) // 2, (big.height - h) // 2, (big.width - w) // 2 + w,
                         (big.height - h) // 2 + h))
    return diag


def star_points(cx, cy, r_outer, r_inner, n=5, rotation=-90):
    pts = []
    for i in range(2 * n):
        r = r_outer if i % 2 == 0 else r_inner
        a = math.radians(rotation + i * 180 / n)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def shade_mask(mask, light_dir=(-1, -1), depth=2.0, ss=4):
    """Bevel light and shadow masks for a shape: the edge facing the light and the other."""
    blurred = mask.filter(ImageFilter.GaussianBlur(depth * ss))
    dx, dy = int(round(light_dir[0] * depth * ss)), int(round(light_dir[1] * depth * ss))
    lit = ImageChops.subtract(blurred, ImageChops.offset(blurred, -dx, -dy))
    shadow = ImageChops.subtract(blurred, ImageChops.offset(blurred, dx, dy))
    return ImageChops.multiply(lit, mask), ImageChops.multiply(shadow, mask)


def chrome_ring(canvas, centre, r_out, r_in, bright=(245, 248, 252), dark=(40, 43, 50)):
    """A polished ring: brightness follows the angle, so it catches light twice."""
    ss = canvas.ss
    cx, cy = centre[0] * ss, centre[1] * ss
    r = int(math.ceil(r_out * ss)) + 1
    n = 2 * r
    data = bytearray(n * n * 3)
    for y in range(n):
        dy = y + 0.5 - r
        for x in range(n):
            dx = x + 0.5 - r
            a = math.atan2(dy, dx)
            t = 0.5 + 0.5 * math.cos(2 * (a + math.radians(135)))
            t = t ** 1.6 * 0.85 + 0.15 * (0.5 - 0.5 * math.sin(a))
            i = (y * n + x) * 3
            data[i] = int(dark[0] + (bright[0] - dark[0]) * t)
            data[i + 1] = int(dark[1] + (bright[1] - dark[1]) * t)
            data[i + 2] = int(dark[2] + (bright[2] - dark[2]) * t)
    tile = Image.frombytes("RGB", (n, n), bytes(data)).convert("RGBA")
    paint = Image.new("RGBA", canvas.image.size, (0, 0, 0, 0))
    paint.paste(tile, (int(cx) - r, int(cy) - r))
    ring = ellipse_mask(canvas, circle_box(centre[0], centre[1], r_out))
    ImageDraw.Draw(ring).ellipse(canvas.box(*circle_box(centre[0], centre[1], r_in)), fill=0)
    canvas.paint_mask(ring, paint)

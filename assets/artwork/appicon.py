"""The program's icon: a small tachometer, drawn from one list of vector shapes that is
written both as SVG (the scalable icon) and as PNG at each size the desktop asks for.

The shapes live on a 256 x 256 grid. Below 32 pixels the ticks would blur into the
face, so the small sizes draw fewer, bolder shapes."""

import math

from PIL import Image, ImageDraw

from common import linear_gradient, radial_gradient

GRID = 256
CENTRE = 128
SIZES = (16, 32, 48, 64, 128, 256)  # the desktop's icon theme
WINDOWS_SIZES = (16, 24, 32, 48, 64, 256)  # the .ico: small icons, lists, tiles

# The sweep, in degrees clockwise from three o'clock: from lower left over the top to
# lower right, zoned like the program's MHz gauge (green, yellow, red).
SWEEP_START, SWEEP_END = 135, 405
ZONES = ((135, 300, (70, 210, 90)), (300, 350, (245, 200, 42)), (350, 405, (255, 48, 32)))
NEEDLE_ANGLE = 322

BEZEL = ((0, (236, 240, 245)), (0.55, (128, 134, 142)), (1, (38, 41, 46)))
FACE_CENTRE, FACE_EDGE = (52, 56, 64), (6, 7, 9)
TICK = (220, 226, 236)
NEEDLE = (255, 58, 40)
HUB_CENTRE = (42, 10, 8)


def polar(radius, degrees):
    a = math.radians(degrees)
    return (CENTRE + radius * math.cos(a), CENTRE + radius * math.sin(a))


def shapes(small):
    """The icon as ("circle", r, paint), ("arc", r, start, end, width, colour),
    ("line", p0, p1, width, colour) and ("polygon", points, colour), in drawing order.
    A paint is a colour, ("vertical", stops) or ("radial", inner, outer)."""
    items = [
        ("circle", 124, ("vertical", BEZEL)),
        ("circle", 108 if small else 112, (22, 24, 28)),
        ("circle", 104 if small else 108, ("radial", FACE_CENTRE, FACE_EDGE)),
    ]
    band_radius, band_width = (84, 30) if small else (92, 14)
    items += [("arc", band_radius, start, end, band_width, colour) for start, end, colour in ZONES]
    if not small:
        for i in range(11):
            angle = SWEEP_START + i * (SWEEP_END - SWEEP_START) / 10
            inner = 64 if i % 5 == 0 else 70
            items.append(("line", polar(inner, angle), polar(80, angle), 6, TICK))
    half_width, length, tail = (13, 94, 16) if small else (9, 84, 22)
    items += [
        ("polygon", [polar(length, NEEDLE_ANGLE), polar(half_width, NEEDLE_ANGLE + 90),
                     polar(tail, NEEDLE_ANGLE + 180), polar(half_width, NEEDLE_ANGLE - 90)], NEEDLE),
        ("circle", 20 if small else 18, NEEDLE),
        ("circle", 10 if small else 7, HUB_CENTRE),
    ]
    return items


# SVG ------------------------------------------------------------------------------------

def _hex(colour):
    return "#%02x%02x%02x" % colour


def _number(value):
    return ("%.2f" % value).rstrip("0").rstrip(".")


def _svg_paint(paint, index, defs):
    if isinstance(paint[0], int):
        return _hex(paint)
    kind, *rest = paint
    name = f"paint{index}"
    if kind == "vertical":
        stops = "".join(f'<stop offset="{_number(t)}" stop-color="{_hex(c)}"/>' for t, c in rest[0])
        defs.append(f'<linearGradient id="{name}" x1="0" y1="0" x2="0" y2="1">{stops}</linearGradient>')
    else:
        inner, outer = rest
        defs.append(f'<radialGradient id="{name}"><stop offset="0" stop-color="{_hex(inner)}"/>'
                    f'<stop offset="1" stop-color="{_hex(outer)}"/></radialGradient>')
    return f"url(#{name})"


def svg():
    defs, body = [], []
    for index, shape in enumerate(shapes(small=False)):
        kind = shape[0]
        if kind == "circle":
            _, r, paint = shape
            body.append(f'<circle cx="{CENTRE}" cy="{CENTRE}" r="{r}" fill="{_svg_paint(paint, index, defs)}"/>')
        elif kind == "arc":
            _, r, start, end, width, colour = shape
            (x0, y0), (x1, y1) = polar(r, start), polar(r, end)
            large = 1 if end - start > 180 else 0
            body.append(f'<path d="M{_number(x0)} {_number(y0)}A{r} {r} 0 {large} 1 {_number(x1)} {_number(y1)}" '
                        f'fill="none" stroke="{_hex(colour)}" stroke-width="{width}"/>')
        elif kind == "line":
            _, (x0, y0), (x1, y1), width, colour = shape
            body.append(f'<line x1="{_number(x0)}" y1="{_number(y0)}" x2="{_number(x1)}" y2="{_number(y1)}" '
                        f'stroke="{_hex(colour)}" stroke-width="{width}" stroke-linecap="round"/>')
        else:
            _, points, colour = shape
            coordinates = " ".join(f"{_number(x)},{_number(y)}" for x, y in points)
            body.append(f'<polygon points="{coordinates}" fill="{_hex(colour)}"/>')
    lines = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{GRID}" height="{GRID}" viewBox="0 0 {GRID} {GRID}">',
             "<title>Tachora</title>", "<defs>", *defs, "</defs>", *body, "</svg>"]
    return "\n".join(lines) + "\n"


# PNG ------------------------------------------------------------------------------------

def _fill(image, mask, paint, box):
    """Paints mask's pixels with a colour or a gradient spanning box (in pixels)."""
    if isinstance(paint[0], int):
        layer = Image.new("RGBA", image.size, paint + (255,))
    elif paint[0] == "vertical":
        x0, y0, x1, y1 = (int(round(v)) for v in box)
        layer = Image.new("RGBA", image.size, (0, 0, 0, 0))
        layer.paste(linear_gradient((x1 - x0, y1 - y0), paint[1]), (x0, y0))
    else:
        x0, y0, x1, y1 = box
        layer = radial_gradient(image.size, ((x0 + x1) / 2, (y0 + y1) / 2), (x1 - x0) / 2, paint[1], paint[2])
    layer.putalpha(mask)
    return Image.alpha_composite(image, layer)


def png(size, supersample=8):
    """The icon at size x size pixels, drawn large and reduced so edges are smooth."""
    full = size * supersample
    scale = full / GRID
    image = Image.new("RGBA", (full, full), (0, 0, 0, 0))

    def box(r):
        return tuple(v * scale for v in (CENTRE - r, CENTRE - r, CENTRE + r, CENTRE + r))

    for shape in shapes(small=size < 32):
        kind = shape[0]
        mask = Image.new("L", image.size, 0)
        draw = ImageDraw.Draw(mask)
        if kind == "circle":
            _, r, paint = shape
            draw.ellipse(box(r), fill=255)
            image = _fill(image, mask, paint, box(r))
            continue
        if kind == "arc":
            # Pillow strokes an arc inwards from its box: the box is the stroke's outer edge.
            _, r, start, end, width, colour = shape
            draw.arc(box(r + width / 2), start, end, fill=255, width=int(round(width * scale)))
        elif kind == "line":
            _, p0, p1, width, colour = shape
            ends = [(x * scale, y * scale) for x, y in (p0, p1)]
            draw.line(ends, fill=255, width=int(round(width * scale)))
            for x, y in ends:
                half = width * scale / 2
                draw.ellipse((x - half, y - half, x + half, y + half), fill=255)
        else:
            _, points, colour = shape
            draw.polygon([(x * scale, y * scale) for x, y in points], fill=255)
        image = _fill(image, mask, colour, None)
    return image.resize((size, size), Image.LANCZOS)

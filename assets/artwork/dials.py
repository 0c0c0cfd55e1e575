"""The instrument cluster of the top area: the dial artwork behind the two gauges
and, cut from the same drawing at twice the size, the dial faces the gauges
compose their needles on. Drawing both from one master keeps them seamless: a
gauge averages its 2x face down 2 x 2, exactly as the 1x artwork is made here."""

import math

from PIL import Image, ImageDraw

from common import (BLACK, Canvas, chrome_ring, GLOW_RED, GLOW_SKY, RED, SKY, STEEL_DARK, STEEL_LIGHT, circle_box,
                    ellipse_mask, font, linear_gradient, metal, mix, radial_gradient, rgba)

PANEL_SIZE = (472, 312)  # the top area's right part: 670 - 198 wide, 312 high

# Gauge controls inside the right part (left, top, width, height).
PERCENT_RECT = (43, 91, 119, 122)
MHZ_RECT = (210, 56, 188, 178)
FACE_PICTURE_WIDTH = 400  # the gauge widens every picture to 400 pixels

# Needle geometry of a centre-style gauge with a 360-degree sweep over 360 units:
# the pivot is the control's centre, the needle is (width - 2 * margin) / 2 long and
# points at angle (position - 90) degrees, 0 to the left, clockwise on screen.
MARGIN = 10


def pivot(rect):
    x, y, w, h = rect
    return (x + w / 2, y + h // 2)


def needle_length(rect):
    return (rect[2] - 2 * MARGIN) / 2


def at(rect, position, radius):
    """Where a needle at this position points, at this distance from the pivot."""
    cx, cy = pivot(rect)
    a = math.radians(position - 90)
    return (cx - radius * math.cos(a), cy - radius * math.sin(a))


# The program's scale formulas: percent -> position 110 + 1.4 p, MHz -> 73 + 0.0431 f.
def percent_position(percent):
    return 110 + 1.4 * percent


def mhz_position(mhz):
    return 73 + 0.0431 * mhz


MHZ_END = (360 - 73) / 0.0431  # 6659 MHz: the needle points straight down


# The digit boxes the page puts over the dials (left, top, width, height in the right
# part, their one-pixel border included), and the clear pixels every numeral keeps from them.
PERCENT_BOX = (79, 173, 47, 21)
MHZ_BOX = (277, 173, 55, 21)
BOX_GAP = 2.0

# Dial layout per gauge: radii in 1x pixels. The MHz dial's major ticks start far enough
# out for its "6", pushed out past the digit box, to stay clear of them.
PERCENT_DIAL = dict(rect=PERCENT_RECT, box=PERCENT_BOX, bezel=(51.0, 56.0), band=(47.0, 49.8),
                    major=(39.5, 47.0), minor=(43.0, 47.0), labels=33.0, label_size=8.5, needle=3,
                    rest=percent_position(0))
MHZ_DIAL = dict(rect=MHZ_RECT, box=MHZ_BOX, bezel=(85.0, 89.0), band=(80.0, 83.6), major=(70.5, 80.0),
                minor=(74.5, 80.0), labels=57.5, label_size=13.0, needle=5, rest=mhz_position(0))


def arc_mask(canvas, centre, r_in, r_out, p0, p1, steps=240):
    """A ring sector between two needle positions, as a polygon."""
    cx, cy = centre
    outer, inner = [], []
    for i in range(steps + 1):
        p = p0 + (p1 - p0) * i / steps
        a = math.radians(p - 90)
        outer.append((cx - r_out * math.cos(a), cy - r_out * math.sin(a)))
        inner.append((cx - r_in * math.cos(a), cy - r_in * math.sin(a)))
    m = canvas.mask()
    ImageDraw.Draw(m).polygon(canvas.points(outer + inner[::-1]), fill=255)
    return m


def label_place(canvas, dial, position, text, fnt):
    """Where a numeral goes on its ray: at the dial's label radius, or, where it would come
    near the digit box there, further out but still clear of the ticks."""
    rect = dial["rect"]
    left, top, right, bottom = (v / canvas.ss for v in fnt.getbbox(text, anchor="mm"))
    bx, by, bw, bh = dial["box"]

    def clear_of_box(x, y):
        return (x + left >= bx + bw + BOX_GAP or x + right <= bx - BOX_GAP or
                y + top >= by + bh + BOX_GAP or y + bottom <= by - BOX_GAP)

    def clear_of_needle(x, y):
        # The needle at rest is a band along its ray, ArrowWidth wide, its edges smoothed.
        a = math.radians(dial["rest"] - 90)
        ux, uy = -math.cos(a), -math.sin(a)
        cx, cy = pivot(rect)
        if (x - cx) * ux + (y - cy) * uy <= 0:
            return True  # behind the pivot
        sides = [(x + dx - cx) * uy - (y + dy - cy) * ux for dx in (left, right) for dy in (top, bottom)]
        reach = dial["needle"] / 2 + 1.5
        return min(sides) >= reach or max(sides) <= -reach

    # A numeral on the ray the needle rests on moves along the scale until it is clear of it.
    while not clear_of_needle(*at(rect, position, dial["labels"])):
        position += 0.25
    radius = dial["labels"]
    while not clear_of_box(*at(rect, position, radius)):
        radius += 0.25
    x, y = at(rect, position, radius)
    cx, cy = pivot(rect)
    reach = max(math.hypot(x + dx - cx, y + dy - cy) for dx in (left, right) for dy in (top, bottom))
    if radius > dial["labels"] and reach >= dial["major"][0]:
        raise ValueError(f"the numeral {text}, moved clear of the digit box, reaches into the ticks")
    return x, y


def draw_tick(canvas, layer, rect, position, r0, r1, width, colour):
    d = ImageDraw.Draw(layer)
    p0, p1 = at(rect, position, r0), at(rect, position, r1)
    d.line(canvas.points([p0, p1]), fill=rgba(colour), width=max(1, int(round(width * canvas.ss))))


def draw_dial(canvas, dial, zones, ticks, labels, legend):
    rect, centre = dial["rect"], pivot(dial["rect"])
    cx, cy = centre
    b_in, b_out = dial["bezel"]

    # Halo: the dial throws a faint cold light on the black panel around it.
    canvas.over(radial_gradient(canvas.image.size, (cx * canvas.ss, cy * canvas.ss), (b_out + 26) * canvas.ss,
                                (58, 66, 82, 255), (0, 0, 0, 0)))

    # Chrome bezel: a steel ring lit from the top left, with a dark seat inside it.
    size = canvas.image.size
    chrome_ring(canvas, centre, b_out, b_in)
    canvas.fill_mask(ellipse_mask(canvas, circle_box(cx, cy, b_in + 1.0), width=0.9), (8, 8, 10))
    canvas.fill_mask(ellipse_mask(canvas, circle_box(cx, cy, b_out - 0.3), width=0.5), (255, 255, 255), 90)
    canvas.fill_mask(ellipse_mask(canvas, circle_box(cx, cy, b_out + 0.4), width=0.6), (0, 0, 0), 200)

    # Face: black in the middle, where the captions and digit boxes sit, and a
    # deep blue-grey towards the rim.
    face = ellipse_mask(canvas, circle_box(cx, cy, b_in))
    canvas.paint_mask(face, radial_gradient(size, (cx * canvas.ss, cy * canvas.ss), b_in * canvas.ss,
                                            (0, 0, 0, 255), (30, 35, 44, 255)))
    core = ellipse_mask(canvas, circle_box(cx, cy, b_in * 0.56))
    canvas.glow(core, BLACK, b_in * 0.06, strength=1.0)
    canvas.fill_mask(core, BLACK)

    # Coloured zones of the scale, with their own soft glow.
    r0, r1 = dial["band"]
    for p0, p1, colour in zones:
        m = arc_mask(canvas, centre, r0, r1, p0, p1)
        canvas.glow(m, colour, 1.6, strength=0.9)
        canvas.fill_mask(m, colour)
        canvas.fill_mask(arc_mask(canvas, centre, r1 - 0.8, r1, p0, p1), mix(colour, (255, 255, 255), 0.5), 160)

    # Ticks.
    layer = canvas.layer()
    for position, kind in ticks:
        if kind == "major":
            draw_tick(canvas, layer, rect, position, dial["major"][0], dial["major"][1], 1.5 if r1 > 60 else 1.1,
                      (250, 250, 250))
        elif kind == "mid":
            lo = (dial["major"][0] + dial["minor"][0]) / 2
            draw_tick(canvas, layer, rect, position, lo, dial["minor"][1], 1.0, (215, 220, 228))
        else:
            draw_tick(canvas, layer, rect, position, dial["minor"][0], dial["minor"][1], 0.6, (160, 168, 180))
    tick_mask = layer.getchannel("A")
    canvas.glow(tick_mask, (120, 170, 255), 1.2, strength=0.6)
    canvas.over(layer)

    # Numerals, upright, centred on their ray.
    fnt = canvas.font("condensed-bold", dial["label_size"])
    text_layer = canvas.layer()
    for position, text in labels:
        canvas.text(label_place(canvas, dial, position, text, fnt), text, fnt, (236, 240, 246),
                    layer=text_layer)
    canvas.glow(text_layer.getchannel("A"), (110, 160, 255), 1.0, strength=0.5)
    canvas.over(text_layer)

    for (x, y), text, text_size, colour in legend:
        canvas.text((cx + x, cy + y), text, canvas.font("condensed-bold", text_size), colour)

    # Glass: a faint reflection over the upper left of the face.
    glass = ellipse_mask(canvas, (cx - b_in * 0.92, cy - b_in * 0.95, cx + b_in * 0.55, cy + b_in * 0.15))
    glass = Image.composite(glass, Image.new("L", size, 0), face)
    sheen = linear_gradient(size, [(0, (255, 255, 255, 0)),
                                   ((cy - b_in) / PANEL_SIZE[1], (255, 255, 255, 34)),
                                   ((cy + b_in * 0.1) / PANEL_SIZE[1], (255, 255, 255, 0)),
                                   (1, (255, 255, 255, 0))])
    canvas.paint_mask(glass, sheen)


def percent_dial(canvas):
    zones = [(percent_position(0), percent_position(80), (40, 150, 255)),
             (percent_position(80), percent_position(92), (255, 200, 30)),
             (percent_position(92), percent_position(100), (255, 40, 30))]
    ticks = []
    for p in range(0, 101, 5):
        ticks.append((percent_position(p), "major" if p % 25 == 0 else "minor"))
    labels = [(percent_position(p), str(p)) for p in range(0, 101, 25)]
    legend = []
    draw_dial(canvas, PERCENT_DIAL, zones, ticks, labels, legend)


def mhz_dial(canvas):
    zones = [(mhz_position(0), mhz_position(3000), (40, 200, 90)),
             (mhz_position(3000), mhz_position(5000), (255, 190, 30)),
             (mhz_position(5000), 360, (255, 40, 30))]
    ticks = []
    for f in range(0, 6601, 100):
        kind = "major" if f % 1000 == 0 else "mid" if f % 500 == 0 else "minor"
        ticks.append((mhz_position(f), kind))
    ticks.append((360, "major"))  # the end stop
    labels = [(mhz_position(f), str(f // 1000)) for f in range(0, 6001, 1000)]
    legend = [((0, -30), "x1000", 9, (150, 160, 175))]
    draw_dial(canvas, MHZ_DIAL, zones, ticks, labels, legend)


def trim(canvas):
    """Thin accent rule under the cluster, red fading out to both sides."""
    w = PANEL_SIZE[0]
    y = 246
    line = canvas.mask()
    ImageDraw.Draw(line).rectangle(canvas.box(24, y, w - 24, y + 1), fill=255)
    fade = linear_gradient(canvas.image.size, [(0, (0, 0, 0, 0)), (0.3, (255, 255, 255, 255)),
                                               (0.7, (255, 255, 255, 255)), (1, (0, 0, 0, 0))], vertical=False)
    line = Image.composite(line, Image.new("L", line.size, 0), fade.getchannel("A"))
    canvas.glow(line, GLOW_RED, 2.5, strength=1.4)
    canvas.fill_mask(line, (255, 90, 70), 200)


def cluster_master():
    """The whole right part at 4x, as an RGBA image."""
    canvas = Canvas(*PANEL_SIZE, background=BLACK, ss=4)
    trim(canvas)
    percent_dial(canvas)
    mhz_dial(canvas)
    return canvas


def make_cluster():
    """Returns (panel 1x, percent face 400 x 244, MHz face 400 x 356)."""
    canvas = cluster_master()
    double = canvas.image.resize((PANEL_SIZE[0] * 2, PANEL_SIZE[1] * 2), Image.LANCZOS).convert("RGB")
    panel = double.resize(PANEL_SIZE, Image.BOX)

    def face(rect):
        x, y, w, h = rect
        return double.crop((2 * x, 2 * y, 2 * x + FACE_PICTURE_WIDTH, 2 * y + 2 * h))

    return panel, face(PERCENT_RECT), face(MHZ_RECT)

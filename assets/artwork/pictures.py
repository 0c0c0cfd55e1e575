"""The program's smaller pictures: caption bar, chips, medal, badges, icons, globe,
the result and promotion pictures."""

import math

from PIL import Image, ImageDraw

from common import (BLACK, DETAILS_PANEL, GLOW_RED, GLOW_SKY, TOP_AREA, Canvas, chrome_ring, circle_box,
                    ellipse_mask, linear_gradient, metal, mix, polygon_mask, radial_gradient, rgba,
                    rounded_mask, seeded, star_points)


# Caption bar ---------------------------------------------------------------------

CAPTION_HEIGHT = 21
CAPTION_STOPS = [(0, (112, 118, 128)), (0.08, (84, 89, 98)), (0.5, (46, 50, 56)), (0.52, (34, 37, 42)),
                 (0.92, (24, 26, 30)), (1, (8, 8, 10))]


def caption_centre(width=64):
    """Every column the same: the window stretches this piece across the bar."""
    img = linear_gradient((width, CAPTION_HEIGHT), CAPTION_STOPS).convert("RGB")
    d = ImageDraw.Draw(img)
    d.line([(0, CAPTION_HEIGHT - 1), (width, CAPTION_HEIGHT - 1)], fill=(150, 20, 16))
    return img


CAPTION_RED_STOPS = [(0, (255, 70, 50)), (0.5, (200, 16, 10)), (1, (110, 6, 4))]


def caption_cap(width, red_from, red_to, separator_from, separator_to):
    """An end piece of the caption bar: a red edge beside a thin dark separator."""
    c = Canvas(width, CAPTION_HEIGHT, background=BLACK)
    c.over(linear_gradient(c.image.size, CAPTION_STOPS))
    edge = c.mask()
    ImageDraw.Draw(edge).rectangle(c.box(red_from, 0, red_to, CAPTION_HEIGHT), fill=255)
    c.paint_mask(edge, linear_gradient(c.image.size, CAPTION_RED_STOPS))
    sep = c.mask()
    ImageDraw.Draw(sep).rectangle(c.box(separator_from, 0, separator_to, CAPTION_HEIGHT), fill=255)
    c.fill_mask(sep, (0, 0, 0), 180)
    img = c.result("RGB")
    ImageDraw.Draw(img).line([(0, CAPTION_HEIGHT - 1), (width, CAPTION_HEIGHT - 1)],
                             fill=(150, 20, 16))
    return img


def caption_left():
    return caption_cap(6, 0, 3, 3, 3.5)


def caption_right():
    """The close button "X" (20 x 16) sits on this cap, so it stays quiet."""
    return caption_cap(25, 22, 25, 21.5, 22)


# Processor chip, shared by several pictures ---------------------------------------

def draw_chip(c, cx, cy, size, label=None, label_colour=(230, 236, 244), glow=GLOW_RED, pins=True,
              sublabel=None):
    half = size / 2
    if pins:
        pin_layer = c.layer()
        d = ImageDraw.Draw(pin_layer)
        n = 7
        for i in range(n):
            t = -half * 0.78 + i * (half * 1.56) / (n - 1)
            pw = size * 0.045
            for x0, y0, x1, y1 in ((cx + t - pw, cy - half - size * 0.1, cx + t + pw, cy - half + 2),
                                   (cx + t - pw, cy + half - 2, cx + t + pw, cy + half + size * 0.1),
                                   (cx - half - size * 0.1, cy + t - pw, cx - half + 2, cy + t + pw),
                                   (cx + half - 2, cy + t - pw, cx + half + size * 0.1, cy + t + pw)):
                d.rounded_rectangle(c.box(x0, y0, x1, y1), radius=pw * c.ss * 0.6, fill=(255, 255, 255, 255))
        pins_mask = pin_layer.getchannel("A")
        c.paint_mask(pins_mask, metal(c.image.size, light=(250, 226, 160), dark=(120, 90, 40)))
    body = rounded_mask(c, (cx - half, cy - half, cx + half, cy + half), size * 0.08)
    c.glow(body, glow, size * 0.09, strength=1.3)
    c.paint_mask(body, metal(c.image.size, light=(120, 126, 136), dark=(22, 24, 28), angle_deg=-35))
    inner = rounded_mask(c, (cx - half * 0.72, cy - half * 0.72, cx + half * 0.72, cy + half * 0.72), size * 0.05)
    c.paint_mask(inner, metal(c.image.size, light=(70, 74, 82), dark=(12, 13, 16), angle_deg=-35))
    frame = rounded_mask(c, (cx - half * 0.72, cy - half * 0.72, cx + half * 0.72, cy + half * 0.72), size * 0.05)
    core = rounded_mask(c, (cx - half * 0.7, cy - half * 0.7, cx + half * 0.7, cy + half * 0.7), size * 0.05)
    c.fill_mask(Image.composite(Image.new("L", frame.size, 0), frame, core), (170, 176, 186), 160)
    if label:
        fnt = c.font("condensed-bold", size * (0.26 if len(label) <= 5 else 0.2))
        c.text((cx, cy - (size * 0.06 if sublabel else 0)), label, fnt, label_colour)
    if sublabel:
        c.text((cx, cy + size * 0.2), sublabel, c.font("condensed", size * 0.11), (150, 158, 170))


def bolt_points(cx, cy, h):
    w = h * 0.55
    return [(cx + w * 0.15, cy - h / 2), (cx - w * 0.45, cy + h * 0.06), (cx - w * 0.02, cy + h * 0.06),
            (cx - w * 0.2, cy + h / 2), (cx + w * 0.45, cy - h * 0.1), (cx + w * 0.02, cy - h * 0.1)]


def test_picture():
    """Test page, 96 x 104, drawn with an alpha channel over the black page."""
    c = Canvas(96, 104)
    draw_chip(c, 48, 46, 56, glow=GLOW_RED)
    bolt = polygon_mask(c, bolt_points(48, 46, 40))
    c.glow(bolt, (255, 200, 40), 3.0, strength=1.6)
    c.paint_mask(bolt, linear_gradient(c.image.size, [(0, (255, 250, 200)), (0.5, (255, 210, 40)),
                                                      (1, (255, 120, 0))]))
    c.text((48, 94), "SPEED", c.font("condensed-bold", 11), (255, 70, 50))
    return c.result()


# Medal -----------------------------------------------------------------------------

MEDAL_SIZE = (73, 75)


def medal_background():
    """What the speed box shows before the medal fades in: an empty, dim seat."""
    c = Canvas(*MEDAL_SIZE, background=BLACK)
    cx, cy = 36.5, 42
    seat = ellipse_mask(c, circle_box(cx, cy, 25))
    c.paint_mask(seat, radial_gradient(c.image.size, (cx * c.ss, cy * c.ss), 25 * c.ss, (20, 22, 26), (8, 9, 11)))
    c.fill_mask(ellipse_mask(c, circle_box(cx, cy, 25), width=1.2), (40, 44, 50))
    star = polygon_mask(c, star_points(cx, cy, 13, 5.5))
    c.fill_mask(star, (26, 28, 33))
    return c.result("RGB")


def medal():
    c = Canvas(*MEDAL_SIZE, background=BLACK)
    cx, cy = 36.5, 42
    for dx, colour in ((-1, (200, 16, 10)), (1, (150, 10, 6))):
        ribbon = polygon_mask(c, [(cx + dx * 3, 0), (cx + dx * 15, 0), (cx + dx * 9, 24), (cx + dx * 0, 22)])
        c.paint_mask(ribbon, linear_gradient(c.image.size, [(0, mix(colour, (255, 255, 255), 0.15)),
                                                            (1, mix(colour, (0, 0, 0), 0.4))]))
    stripe = polygon_mask(c, [(cx - 2, 0), (cx + 2, 0), (cx + 1, 22), (cx - 1, 22)])
    c.fill_mask(stripe, (255, 255, 255), 200)
    disc = ellipse_mask(c, circle_box(cx, cy, 25))
    c.glow(disc, (255, 190, 60), 3.0, strength=1.1)
    c.paint_mask(disc, metal(c.image.size, light=(255, 244, 180), dark=(150, 96, 20), angle_deg=-40))
    chrome_ring(c, (cx, cy), 25, 21.5, bright=(255, 248, 200), dark=(130, 80, 14))
    face = ellipse_mask(c, circle_box(cx, cy, 21.5))
    c.paint_mask(face, radial_gradient(c.image.size, (cx * c.ss - 30, cy * c.ss - 30), 26 * c.ss,
                                       (255, 226, 120), (196, 130, 28)))
    star = polygon_mask(c, star_points(cx, cy - 1, 14, 6))
    c.glow(star, (120, 60, 0), 1.0, strength=0.9)
    c.paint_mask(star, linear_gradient(c.image.size, [(0, (255, 255, 230)), (0.5, (255, 226, 110)),
                                                      (1, (214, 140, 20))]))
    c.text((cx, cy + 15), "No.1", c.font("condensed-bold", 6.5), (110, 60, 4))
    return c.result("RGB")


# Vendor badges: the vendor's name in the program's own chip badge, not a logo ------

def vendor_badge(name, size, accent):
    w, h = size
    c = Canvas(w, h)
    plate = rounded_mask(c, (1, 1, w - 1, h - 1), 7)
    c.glow(plate, accent, 2.0, strength=0.8)
    c.paint_mask(plate, metal(c.image.size, light=(92, 98, 108), dark=(18, 20, 24), angle_deg=-20))
    c.fill_mask(rounded_mask(c, (2.5, 2.5, w - 2.5, h - 2.5), 6), (0, 0, 0), 120)
    chip_size = h * 0.52
    draw_chip(c, 8 + chip_size * 0.62, h / 2, chip_size, glow=accent)
    text_x = 8 + chip_size * 1.35
    c.text((text_x, h * 0.44), name, c.font("sans-bold", h * 0.4), (240, 244, 250), anchor="lm")
    c.text((text_x + 1, h * 0.77), "PROCESSOR", c.font("condensed-bold", h * 0.13), accent, anchor="lm")
    bar = c.mask()
    ImageDraw.Draw(bar).rectangle(c.box(text_x, h * 0.64, w - 10, h * 0.64 + 1), fill=255)
    c.fill_mask(bar, accent, 200)
    img = c.result()
    return img


def intel_badge():
    return vendor_badge("INTEL", (152, 56), (90, 170, 255))


def amd_badge():
    return vendor_badge("AMD", (146, 56), (255, 80, 60))


# Welcome page ------------------------------------------------------------------------

def welcome_cpu():
    """The welcome page's hero: a chip on a glowing speed ring, 120 x 120."""
    c = Canvas(120, 120, background=BLACK)
    cx = cy = 60
    c.over(radial_gradient(c.image.size, (cx * c.ss, cy * c.ss), 58 * c.ss, (60, 10, 8, 255), (0, 0, 0, 0)))
    ring = c.mask()
    d = ImageDraw.Draw(ring)
    d.arc(c.box(*circle_box(cx, cy, 52)), start=135, end=405, fill=255, width=3 * c.ss)
    c.glow(ring, GLOW_RED, 2.5, strength=1.5)
    c.fill_mask(ring, (255, 90, 70))
    ticks = c.layer()
    dt = ImageDraw.Draw(ticks)
    for i in range(28):
        a = math.radians(135 + i * 10)
        r0, r1 = (44, 49) if i % 3 == 0 else (46, 49)
        dt.line(c.points([(cx + r0 * math.cos(a), cy + r0 * math.sin(a)),
                          (cx + r1 * math.cos(a), cy + r1 * math.sin(a))]), fill=(220, 226, 236, 255),
                width=c.ss)
    c.over(ticks)
    draw_chip(c, cx, cy, 50, label="CPU", glow=GLOW_RED)
    return c.result("RGB")


def icon(kind):
    """16 x 16 marks for the welcome page's three reassurance lines, on black."""
    c = Canvas(16, 16, background=BLACK, ss=8)
    if kind == "secure":
        shield = polygon_mask(c, [(8, 1), (14, 3), (13.4, 9), (8, 15), (2.6, 9), (2, 3)])
        c.paint_mask(shield, linear_gradient(c.image.size, [(0, (120, 210, 255)), (1, (20, 90, 200))]))
        c.fill_mask(polygon_mask(c, [(8, 1), (14, 3), (13.4, 9), (8, 15)]), (0, 0, 0), 60)
        check = c.mask()
        ImageDraw.Draw(check).line(c.points([(5, 8), (7.3, 10.4), (11.2, 5.4)]), fill=255, width=int(1.8 * c.ss))
        c.fill_mask(check, (255, 255, 255))
    elif kind == "guaranteed":
        seal = polygon_mask(c, star_points(8, 8, 7.5, 6.2, n=12))
        c.paint_mask(seal, linear_gradient(c.image.size, [(0, (255, 236, 140)), (1, (200, 130, 20))]))
        c.fill_mask(ellipse_mask(c, circle_box(8, 8, 4.6)), (150, 90, 10))
        c.fill_mask(polygon_mask(c, star_points(8, 8, 3.8, 1.6)), (255, 246, 200))
    else:
        c.fill_mask(ellipse_mask(c, circle_box(8, 8, 7)), (200, 20, 14))
        c.fill_mask(ellipse_mask(c, circle_box(8, 8, 5.4)), (20, 4, 4))
        eye = polygon_mask(c, [(3.2, 8), (5, 6.2), (8, 5.4), (11, 6.2), (12.8, 8), (11, 9.8), (8, 10.6), (5, 9.8)])
        c.fill_mask(eye, (235, 235, 235))
        c.fill_mask(ellipse_mask(c, circle_box(8, 8, 1.6)), (20, 20, 20))
        bar = c.mask()
        ImageDraw.Draw(bar).line(c.points([(3.4, 3.4), (12.6, 12.6)]), fill=255, width=int(1.6 * c.ss))
        c.fill_mask(bar, (255, 40, 30))
    return c.result("RGB")


# Online page: globe and home country ------------------------------------------------

def globe(size=(72, 70)):
    w, h = size
    c = Canvas(w, h, background=BLACK)
    cx, cy, r = w / 2, h / 2, min(w, h) / 2 - 4
    disc = ellipse_mask(c, circle_box(cx, cy, r))
    c.glow(disc, GLOW_SKY, 3.0, strength=0.9)
    c.paint_mask(disc, radial_gradient(c.image.size, ((cx - r * 0.35) * c.ss, (cy - r * 0.35) * c.ss),
                                       r * 1.5 * c.ss, (60, 150, 230), (4, 20, 60)))
    lines = c.layer()
    d = ImageDraw.Draw(lines)
    for k in (-2, -1, 0, 1, 2):
        y = cy + k * r * 0.36
        half = math.sqrt(max(0.0, r * r - (y - cy) ** 2))
        d.arc(c.box(cx - half, y - half * 0.18, cx + half, y + half * 0.18), 0, 180, fill=(150, 220, 255, 150),
              width=c.ss)
    for k in (0.25, 0.6, 1.0):
        d.ellipse(c.box(cx - r * k, cy - r, cx + r * k, cy + r), outline=(150, 220, 255, 150), width=c.ss)
    lines.putalpha(Image.composite(lines.getchannel("A"), Image.new("L", lines.size, 0), disc))
    c.over(lines)
    # A few glowing continents' worth of nodes and their links.
    rng = seeded("globe")
    nodes = [(cx + rng.uniform(-0.6, 0.6) * r, cy + rng.uniform(-0.6, 0.6) * r) for _ in range(6)]
    links = c.mask()
    dl = ImageDraw.Draw(links)
    for a, b in zip(nodes, nodes[1:]):
        dl.line(c.points([a, b]), fill=255, width=c.ss)
    c.fill_mask(links, (255, 120, 90), 170)
    dots = c.mask()
    dd = ImageDraw.Draw(dots)
    for x, y in nodes:
        dd.ellipse(c.box(x - 1.6, y - 1.6, x + 1.6, y + 1.6), fill=255)
    c.glow(dots, GLOW_RED, 1.6, strength=1.8)
    c.fill_mask(dots, (255, 240, 230))
    highlight = ellipse_mask(c, (cx - r * 0.8, cy - r * 0.9, cx + r * 0.3, cy - r * 0.1))
    c.fill_mask(highlight, (255, 255, 255), 40)
    return c.result("RGB")


def country():
    """The visitor's country: a home marker over a patch of land, 62 x 64."""
    c = Canvas(62, 64, background=BLACK)
    rng = seeded("country")
    pts = []
    for i in range(18):
        a = 2 * math.pi * i / 18
        rr = 22 * (0.8 + 0.25 * rng.random())
        pts.append((31 + rr * math.cos(a) * 1.1, 40 + rr * math.sin(a) * 0.8))
    land = polygon_mask(c, pts)
    c.glow(land, GLOW_SKY, 2.0, strength=0.8)
    c.paint_mask(land, linear_gradient(c.image.size, [(0, (70, 170, 240)), (1, (10, 50, 120))]))
    dots = c.layer()
    dd = ImageDraw.Draw(dots)
    for y in range(20, 62, 3):
        for x in range(2, 62, 3):
            dd.ellipse(c.box(x - 0.6, y - 0.6, x + 0.6, y + 0.6), fill=(160, 220, 255, 110))
    dots.putalpha(Image.composite(dots.getchannel("A"), Image.new("L", dots.size, 0), land))
    c.over(dots)
    pin = c.mask()
    dp = ImageDraw.Draw(pin)
    dp.ellipse(c.box(22, 3, 40, 21), fill=255)
    dp.polygon(c.points([(23.5, 16), (38.5, 16), (31, 34)]), fill=255)
    c.glow(pin, GLOW_RED, 2.0, strength=1.4)
    c.paint_mask(pin, linear_gradient(c.image.size, [(0, (255, 110, 90)), (0.5, (220, 20, 14)),
                                                     (1, (120, 6, 4))]))
    c.fill_mask(ellipse_mask(c, circle_box(31, 12, 3.8)), (255, 255, 255))
    shadow = ellipse_mask(c, (26, 33, 36, 37))
    c.fill_mask(shadow, (0, 0, 0), 150)
    return c.result("RGB")


# Result and promotion dialogs --------------------------------------------------------

def result_picture():
    """Result dialog, 136 x 132 on the dialog's grey: a trophy over a speed arc."""
    c = Canvas(136, 132, background=TOP_AREA)
    cx = 68
    c.over(radial_gradient(c.image.size, (cx * c.ss, 62 * c.ss), 64 * c.ss, (90, 20, 14, 255), (0, 0, 0, 0)))
    arc = c.mask()
    ImageDraw.Draw(arc).arc(c.box(*circle_box(cx, 64, 58)), start=150, end=390, fill=255, width=3 * c.ss)
    c.glow(arc, GLOW_RED, 2.5, strength=1.5)
    c.fill_mask(arc, (255, 90, 70))
    cup = polygon_mask(c, [(cx - 30, 26), (cx + 30, 26), (cx + 27, 50), (cx + 12, 70), (cx + 5, 74), (cx + 5, 88),
                           (cx + 20, 98), (cx - 20, 98), (cx - 5, 88), (cx - 5, 74), (cx - 12, 70), (cx - 27, 50)])
    handles = c.mask()
    dh = ImageDraw.Draw(handles)
    for sx in (-1, 1):
        box = (cx + sx * 30 - 12, 30, cx + sx * 30 + 12, 58)
        dh.arc(c.box(*box), start=90 if sx > 0 else 270, end=270 if sx > 0 else 450, fill=255,
               width=int(4 * c.ss))
    gold = metal(c.image.size, light=(255, 246, 190), dark=(150, 92, 18), angle_deg=-30)
    c.glow(cup, (255, 190, 60), 4, strength=0.9)
    c.paint_mask(handles, gold)
    c.paint_mask(cup, gold)
    base = rounded_mask(c, (cx - 28, 98, cx + 28, 112), 2)
    c.paint_mask(base, metal(c.image.size, light=(110, 116, 126), dark=(20, 22, 26)))
    c.text((cx, 105), "TOP SPEED", c.font("condensed-bold", 7.5), (255, 230, 160))
    star = polygon_mask(c, star_points(cx, 47, 13, 5.5))
    c.paint_mask(star, linear_gradient(c.image.size, [(0, (255, 255, 240)), (1, (255, 200, 60))]))
    c.glow(star, (255, 255, 200), 2.0, strength=0.6)
    return c.result("RGB")


def promo_picture(size=(300, 230)):
    """Promotion dialog: the sister product, an internet speed meter over a globe."""
    w, h = size
    c = Canvas(w, h, background=TOP_AREA, ss=3)
    cx, cy = w / 2, h * 0.6
    # The glow behind the globe fades out before the picture's edges, which must be the
    # dialog's own background, or the picture shows as a darker rectangle on it.
    c.over(radial_gradient(c.image.size, (cx * c.ss, cy * c.ss), (h - cy - 2) * c.ss, (10, 40, 80, 255),
                           (0, 0, 0, 0)))
    g = globe((150, 150)).convert("RGBA")
    gm = Image.new("L", g.size, 0)
    ImageDraw.Draw(gm).ellipse((4, 4, 146, 146), fill=255)
    g.putalpha(gm)
    big = g.resize((150 * c.ss, 150 * c.ss), Image.LANCZOS)
    layer = c.layer()
    layer.paste(big, (int((cx - 75) * c.ss), int((cy - 60) * c.ss)))
    c.over(layer)
    # Speed arc over the globe, with ticks and a needle.
    r = 112
    arc = c.mask()
    ImageDraw.Draw(arc).arc(c.box(*circle_box(cx, cy, r)), start=200, end=340, fill=255, width=5 * c.ss)
    c.glow(arc, GLOW_SKY, 4, strength=1.4)
    c.paint_mask(arc, linear_gradient(c.image.size, [(0, (40, 200, 90)), (0.5, (255, 200, 30)),
                                                     (1, (255, 50, 30))], vertical=False))
    ticks = c.layer()
    dt = ImageDraw.Draw(ticks)
    for i in range(15):
        a = math.radians(200 + i * 10)
        r0 = r - (14 if i % 2 == 0 else 9)
        dt.line(c.points([(cx + r0 * math.cos(a), cy + r0 * math.sin(a)),
                          (cx + (r - 5) * math.cos(a), cy + (r - 5) * math.sin(a))]), fill=(230, 236, 244, 255),
                width=int(1.5 * c.ss))
    c.over(ticks)
    needle = c.mask()
    a = math.radians(305)
    ImageDraw.Draw(needle).line(c.points([(cx, cy), (cx + (r - 16) * math.cos(a), cy + (r - 16) * math.sin(a))]),
                                fill=255, width=4 * c.ss)
    c.glow(needle, GLOW_RED, 3, strength=1.5)
    c.fill_mask(needle, (255, 40, 30))
    c.fill_mask(ellipse_mask(c, circle_box(cx, cy, 8)), (200, 206, 214))
    c.fill_mask(ellipse_mask(c, circle_box(cx, cy, 4)), (255, 40, 30))
    # Upload and download arrows at the sides.
    for sx, up in ((-1, True), (1, False)):
        x = cx + sx * 122
        pts = [(x, 150), (x - 12, 166), (x - 5, 166), (x - 5, 186), (x + 5, 186), (x + 5, 166), (x + 12, 166)]
        if not up:
            pts = [(px, 336 - py) for px, py in pts]
        m = polygon_mask(c, pts)
        colour = (70, 255, 110) if up else GLOW_SKY
        c.glow(m, colour, 3, strength=1.2)
        c.fill_mask(m, colour)
    return c.result("RGB")


def promo_icon():
    c = Canvas(48, 48, background=TOP_AREA)
    plate = rounded_mask(c, (2, 2, 46, 46), 9)
    c.glow(plate, GLOW_SKY, 2, strength=0.8)
    c.paint_mask(plate, linear_gradient(c.image.size, [(0, (60, 150, 230)), (1, (8, 30, 90))]))
    arc = c.mask()
    ImageDraw.Draw(arc).arc(c.box(*circle_box(24, 30, 16)), start=200, end=340, fill=255, width=3 * c.ss)
    c.fill_mask(arc, (255, 255, 255))
    needle = c.mask()
    ImageDraw.Draw(needle).line(c.points([(24, 30), (33, 19)]), fill=255, width=int(2.5 * c.ss))
    c.fill_mask(needle, (255, 60, 40))
    c.fill_mask(ellipse_mask(c, circle_box(24, 30, 3)), (255, 255, 255))
    c.fill_mask(rounded_mask(c, (2, 2, 46, 22), 9), (255, 255, 255), 30)
    return c.result("RGB")


# About page ----------------------------------------------------------------------------

def about_badge():
    """A seal beside "Guaranteed", "Secure Software" and "NO Spyware!", 64 x 64 on black."""
    c = Canvas(64, 64, background=BLACK)
    cx = cy = 32
    seal = polygon_mask(c, star_points(cx, cy, 30, 26.5, n=20))
    c.glow(seal, GLOW_RED, 2.0, strength=1.0)
    c.paint_mask(seal, metal(c.image.size, light=(255, 110, 90), dark=(110, 8, 6), angle_deg=-30))
    chrome_ring(c, (cx, cy), 24, 21)
    inner = ellipse_mask(c, circle_box(cx, cy, 21))
    c.paint_mask(inner, radial_gradient(c.image.size, (cx * c.ss, (cy - 6) * c.ss), 26 * c.ss, (60, 64, 72),
                                        (10, 11, 14)))
    check = c.mask()
    ImageDraw.Draw(check).line(c.points([(23, 27), (29, 33), (41, 20)]), fill=255, width=int(4.2 * c.ss),
                               joint="curve")
    c.glow(check, GLOW_GREEN_SOFT, 1.8, strength=1.2)
    c.fill_mask(check, (110, 255, 140))
    # Two short lines: "100% SAFE" on one line is wider than the disc at any height.
    fnt = c.font("condensed-bold", 6.0)
    for y, line in ((41, "100%"), (47.5, "SAFE")):
        left, top, right, bottom = (v / c.ss for v in fnt.getbbox(line, anchor="mm"))
        corners = [(cx + dx, y + dy) for dx in (left, right) for dy in (top, bottom)]
        if max(math.hypot(x - cx, yy - cy) for x, yy in corners) > 20.5:
            raise ValueError(f'"{line}" reaches under the badge\'s ring')
        c.text((cx, y), line, fnt, (230, 236, 244))
    return c.result("RGB")


GLOW_GREEN_SOFT = (60, 220, 100)


def about_flag():
    """The program's own pennant on a short pole, 48 x 36 on black."""
    w, h = 48, 36
    c = Canvas(w, h, background=BLACK)
    pole = rounded_mask(c, (3, 2, 5.5, 35), 1)
    c.paint_mask(pole, metal(c.image.size, light=(240, 244, 250), dark=(70, 74, 82), angle_deg=0))
    c.fill_mask(ellipse_mask(c, circle_box(4.25, 2.5, 2.2)), (255, 220, 120))

    def wave(x, y):
        return y + 2.2 * math.sin((x - 6) / 40 * 2 * math.pi * 1.1)

    top = [(x, wave(x, 4)) for x in range(6, 47)]
    bottom = [(x, wave(x, 26)) for x in range(46, 5, -1)]
    cloth = polygon_mask(c, top + bottom)
    c.glow(cloth, GLOW_RED, 1.5, strength=0.7)
    c.paint_mask(cloth, linear_gradient(c.image.size, [(0, (84, 90, 100)), (1, (26, 28, 32))]))
    band = polygon_mask(c, [(x, wave(x, 12)) for x in range(6, 47)] + [(x, wave(x, 18)) for x in range(46, 5, -1)])
    c.fill_mask(band, (230, 26, 18))
    shade = c.layer()
    ds = ImageDraw.Draw(shade)
    for x in range(6, 47):
        t = 0.5 + 0.5 * math.cos((x - 6) / 40 * 2 * math.pi * 1.1)
        ds.line(c.points([(x, 0), (x, h)]), fill=(0, 0, 0, int(90 * t)), width=c.ss)
    shade.putalpha(Image.composite(shade.getchannel("A"), Image.new("L", shade.size, 0), cloth))
    c.over(shade)
    star = polygon_mask(c, star_points(15, wave(15, 15), 4.6, 2.0))
    c.fill_mask(star, (255, 255, 255))
    return c.result("RGB")

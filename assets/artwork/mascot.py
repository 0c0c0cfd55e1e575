"""Bexo, the program's mascot: a small friendly robot, 136 x 168 on the black page.
The two pictures differ only in the colour of the eyes, so the about page can fade
from one to the other."""

from PIL import Image, ImageDraw

from common import (BLACK, Canvas, chrome_ring, circle_box, ellipse_mask, linear_gradient, metal, polygon_mask,
                    radial_gradient, rounded_mask)

SIZE = (136, 168)
EYES = {
    "red": ((255, 40, 28), (255, 200, 180)),
    "green": ((40, 255, 90), (210, 255, 220)),
}


def body(c):
    size = c.image.size
    steel = metal(size, light=(176, 184, 196), dark=(34, 37, 44), angle_deg=-30)
    dark = metal(size, light=(82, 88, 98), dark=(14, 15, 18), angle_deg=-30)

    # Floor glow and shadow.
    c.over(radial_gradient(size, (68 * c.ss, 160 * c.ss), 60 * c.ss, (50, 60, 80, 255), (0, 0, 0, 0)))
    c.fill_mask(ellipse_mask(c, (34, 156, 102, 165)), BLACK, 200)

    # Legs and feet.
    for x in (50, 86):
        leg = rounded_mask(c, (x - 6, 128, x + 6, 152), 4)
        c.paint_mask(leg, dark)
        foot = rounded_mask(c, (x - 12, 148, x + 12, 159), 5)
        c.paint_mask(foot, steel)

    # Arms, waving a little.
    for pts in ([(30, 104), (22, 112), (14, 128), (20, 132), (30, 118), (36, 112)],
                [(106, 104), (114, 110), (124, 98), (130, 102), (120, 118), (100, 114)]):
        arm = polygon_mask(c, pts)
        c.paint_mask(arm, dark)
    for x, y in ((16, 131), (128, 99)):
        hand = ellipse_mask(c, circle_box(x, y, 6))
        c.paint_mask(hand, steel)

    # Torso with the gauge emblem on the chest.
    torso = rounded_mask(c, (32, 92, 104, 138), 14)
    c.paint_mask(torso, steel)
    c.fill_mask(rounded_mask(c, (32, 92, 104, 96), 2), (255, 255, 255), 40)
    chrome_ring(c, (68, 116), 13, 10.5)
    dial = ellipse_mask(c, circle_box(68, 116, 10.5))
    c.paint_mask(dial, radial_gradient(size, (68 * c.ss, 116 * c.ss), 11 * c.ss, (10, 10, 12), (36, 40, 50)))
    arc = c.mask()
    ImageDraw.Draw(arc).arc(c.box(*circle_box(68, 116, 8)), start=160, end=380, fill=255, width=int(1.6 * c.ss))
    c.paint_mask(arc, linear_gradient(size, [(0, (40, 200, 90)), (0.5, (255, 200, 30)), (1, (255, 50, 30))],
                                      vertical=False))
    needle = c.mask()
    ImageDraw.Draw(needle).line(c.points([(68, 116), (74, 110)]), fill=255, width=int(1.6 * c.ss))
    c.fill_mask(needle, (255, 40, 30))
    c.fill_mask(ellipse_mask(c, circle_box(68, 116, 1.6)), (200, 200, 200))

    # Neck.
    c.paint_mask(rounded_mask(c, (58, 84, 78, 95), 3), dark)

    # Antenna.
    stalk = c.mask()
    ImageDraw.Draw(stalk).line(c.points([(68, 22), (68, 8)]), fill=255, width=int(2.4 * c.ss))
    c.paint_mask(stalk, steel)
    tip = ellipse_mask(c, circle_box(68, 7, 4.2))
    c.glow(tip, (255, 60, 40), 3, strength=1.5)
    c.paint_mask(tip, radial_gradient(size, (67 * c.ss, 6 * c.ss), 5 * c.ss, (255, 230, 210), (220, 20, 10)))

    # Head: a rounded steel helmet with a dark visor.
    for x in (22, 114):
        ear = rounded_mask(c, (x - 6, 44, x + 6, 66), 4)
        c.paint_mask(ear, dark)
    head = rounded_mask(c, (24, 20, 112, 88), 26)
    c.glow(head, (90, 130, 200), 3, strength=0.5)
    c.paint_mask(head, steel)
    visor = rounded_mask(c, (32, 34, 104, 76), 18)
    c.paint_mask(visor, radial_gradient(size, (56 * c.ss, 44 * c.ss), 60 * c.ss, (44, 50, 64), (4, 5, 8)))
    shine = rounded_mask(c, (36, 36, 86, 44), 6)
    c.fill_mask(shine, (255, 255, 255), 36)

    # A small friendly smile.
    smile = c.mask()
    ImageDraw.Draw(smile).arc(c.box(58, 58, 78, 72), start=20, end=160, fill=255, width=int(2.0 * c.ss))
    c.fill_mask(smile, (170, 200, 230))


def eyes(c, colour, core):
    for x in (52, 84):
        eye = ellipse_mask(c, circle_box(x, 54, 8.5))
        c.glow(eye, colour, 4.5, strength=1.6)
        c.paint_mask(eye, radial_gradient(c.image.size, (x * c.ss, 54 * c.ss), 9 * c.ss, core, colour))
        c.fill_mask(ellipse_mask(c, circle_box(x - 3, 51, 2.2)), (255, 255, 255), 220)


def bexo(kind):
    colour, core = EYES[kind]
    c = Canvas(*SIZE, background=BLACK)
    body(c)
    eyes(c, colour, core)
    return c.result("RGB")


def pair():
    """Both pictures from one drawing of the body, so only the eyes differ."""
    c = Canvas(*SIZE, background=BLACK)
    body(c)
    shared = c.image
    result = {}
    for kind, (colour, core) in EYES.items():
        c.image = shared.copy()
        eyes(c, colour, core)
        result[kind] = c.result("RGB")
    return result

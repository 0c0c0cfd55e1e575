"""The world ranking map (465 x 256) and its eight continent overlays.

The outlines are real (continents.txt, from the Digital Chart of the World). Each
continent is projected (Miller cylindrical) and then scaled and moved, keeping its
shape, so that it fills the fixed place its overlay has on the map panel. The map
and the overlays are drawn from the same placement, as a field of dots, so an
overlay lights exactly the dots of its continent."""

import math
import pathlib

from PIL import Image, ImageDraw, ImageFilter

from common import Canvas, linear_gradient, rgba

MAP_SIZE = (465, 256)
MAP_TOP = 23  # the map sits under a 20-pixel title strip and a 3-pixel rule

# Overlay places on the map panel (left, top, width, height), in reveal order.
OVERLAYS = [
    ("NorthAmerica", (18, 43, 146, 134)),
    ("Asia", (248, 50, 194, 148)),
    ("Oceania", (371, 189, 84, 59)),
    ("Europe", (186, 43, 80, 88)),
    ("Africa", (196, 127, 93, 94)),
    ("MidEast", (246, 99, 75, 63)),
    ("SouthAmerica", (119, 175, 61, 94)),
    ("Greenland", (145, 39, 51, 56)),
]
# Where two placed continents overlap, a dot goes to the first of these.
PRIORITY = ["Greenland", "MidEast", "Europe", "SouthAmerica", "Oceania", "Africa", "NorthAmerica", "Asia"]
URALS = 60.0  # Russia west of this meridian is drawn with Europe
INSET = 2.0  # free pixels inside each overlay, room for the glow

PITCH = 3  # dot spacing in pixels
DOT_RADIUS = 1.05
LAND = (58, 70, 88)
LIT_CORE = (215, 245, 255)
LIT = (70, 190, 255)

# A few cities per continent, marked as map nodes on the lit overlay.
NODES = {
    "NorthAmerica": [(-74.0, 40.7), (-118.2, 34.1), (-79.4, 43.7), (-99.1, 19.4)],
    "SouthAmerica": [(-46.6, -23.5), (-58.4, -34.6)],
    "Europe": [(-0.1, 51.5), (13.4, 52.5), (37.6, 55.8)],
    "Africa": [(31.2, 30.0), (3.4, 6.5), (28.0, -26.2)],
    "MidEast": [(55.3, 25.3), (51.4, 35.7)],
    "Asia": [(139.7, 35.7), (116.4, 39.9), (77.2, 28.6), (103.8, 1.3)],
    "Oceania": [(151.2, -33.9), (174.8, -36.8)],
    "Greenland": [(-51.7, 64.2)],
}


def miller(lat):
    phi = math.radians(max(-85.0, min(85.0, lat)))
    return math.degrees(1.25 * math.log(math.tan(math.pi / 4 + 0.4 * phi)))


def load_outlines():
    groups = {}
    name = None
    for line in pathlib.Path(__file__).with_name("continents.txt").read_text().splitlines():
        if line.startswith("#") or not line.strip():
            continue
        if line.startswith(">"):
            name = line[1:].strip()
            continue
        ring = [tuple(map(float, p.split(","))) for p in line.split()]
        groups.setdefault(name, []).append(ring)
    return groups


def unwrap(name, lon):
    """Keeps each continent on one side of the date line."""
    if name == "NorthAmerica" and lon > 0:
        return lon - 360
    if name in ("Asia", "Russia", "Oceania") and lon < 0:
        return lon + 360
    return lon


def continent_rings(groups):
    """Rings per overlay, in (u, v) = (longitude, Miller y), Russia shared out."""
    rings = {name: [] for name, _ in OVERLAYS}
    for name, group in groups.items():
        for ring in group:
            pts = [(unwrap(name, lon), miller(lat)) for lon, lat in ring]
            if name == "Russia":
                rings["Europe"].append(("west", pts))
                rings["Asia"].append(("east", pts))
            else:
                rings[name].append((None, pts))
    return rings


def in_side(side, u):
    return side is None or (u < URALS if side == "west" else u >= URALS - 8)


def placements(rings):
    """Per continent: scale and offset taking (u, -v) into its overlay box on the map."""
    result = {}
    for name, (left, top, w, h) in OVERLAYS:
        us, vs = [], []
        for side, pts in rings[name]:
            for u, v in pts:
                if in_side(side, u):
                    us.append(u)
                    vs.append(v)
        u0, u1, v0, v1 = min(us), max(us), min(vs), max(vs)
        bw, bh = w - 2 * INSET, h - 2 * INSET
        s = min(bw / (u1 - u0), bh / (v1 - v0))
        x0 = left + INSET + (bw - s * (u1 - u0)) / 2
        y0 = top - MAP_TOP + INSET + (bh - s * (v1 - v0)) / 2
        result[name] = (s, x0 - s * u0, y0 + s * v1)  # x = a + s u, y = b - s v
    return result


def project(place, u, v):
    s, a, b = place
    return (a + s * u, b - s * v)


def land_masks(canvas, rings, places):
    masks = {}
    for name, (left, top, w, h) in OVERLAYS:
        m = canvas.mask()
        d = ImageDraw.Draw(m)
        place = places[name]
        for side, pts in rings[name]:
            d.polygon(canvas.points([project(place, u, v) for u, v in pts]), fill=255)
        # Russia's two halves, and anything spilling out, end at the overlay's box.
        clip = canvas.mask()
        cx0, cy0 = left, top - MAP_TOP
        if name in ("Europe", "Asia"):
            # Asia's half of Russia starts where Europe's ends, so the two meet.
            seam = project(places["Europe"], URALS, 0)[0]
            cx0, cx1 = (left, seam) if name == "Europe" else (seam, left + w)
        else:
            cx1 = left + w
        ImageDraw.Draw(clip).rectangle(canvas.box(cx0, cy0, cx1, cy0 + h), fill=255)
        masks[name] = Image.composite(m, clip.point(lambda _: 0), clip)
    return masks


def dot_owners(canvas, masks):
    """Each dot of the grid belongs to at most one continent."""
    owners = {}
    ss = canvas.ss
    for j in range(MAP_SIZE[1] // PITCH + 1):
        for i in range(MAP_SIZE[0] // PITCH + 1):
            x, y = 1.5 + i * PITCH, 1.5 + j * PITCH
            if x >= MAP_SIZE[0] or y >= MAP_SIZE[1]:
                continue
            for name in PRIORITY:
                m = masks[name]
                px, py = int(x * ss), int(y * ss)
                if m.getpixel((px, py)) > 96:
                    owners[(x, y)] = name
                    break
    return owners


def draw_dots(canvas, layer, dots, colour, radius):
    d = ImageDraw.Draw(layer)
    for x, y in dots:
        d.ellipse(canvas.box(x - radius, y - radius, x + radius, y + radius), fill=rgba(colour))


def base_map(canvas, owners):
    w, h = MAP_SIZE
    canvas.over(linear_gradient(canvas.image.size, [(0, (6, 10, 18)), (0.5, (10, 16, 28)), (1, (4, 7, 12))]))
    grid = canvas.layer()
    d = ImageDraw.Draw(grid)
    for gx in range(0, w + 1, 31):
        d.line(canvas.points([(gx + 1.5, 0), (gx + 1.5, h)]), fill=(30, 44, 66, 150), width=2)
    for gy in range(10, h, 31):
        d.line(canvas.points([(0, gy + 0.5), (w, gy + 0.5)]), fill=(30, 44, 66, 150), width=2)
    canvas.over(grid)
    dots = canvas.layer()
    draw_dots(canvas, dots, owners.keys(), LAND, DOT_RADIUS)
    canvas.over(dots)


def lit_layer(canvas, name, owners, places):
    """The glowing dots and nodes of one continent on a transparent layer."""
    mine = [xy for xy, owner in owners.items() if owner == name]
    lit = Canvas(*MAP_SIZE, ss=canvas.ss)
    dots = lit.layer()
    draw_dots(lit, dots, mine, LIT, DOT_RADIUS * 1.1)
    lit.glow(dots.getchannel("A"), LIT, 1.4, strength=0.9)
    lit.over(dots)
    cores = lit.layer()
    draw_dots(lit, cores, mine, LIT_CORE, DOT_RADIUS * 0.55)
    lit.over(cores)
    nodes = lit.layer()
    d = ImageDraw.Draw(nodes)
    rings = lit.layer()
    dr = ImageDraw.Draw(rings)
    for lon, lat in NODES[name]:
        x, y = project(places[name], unwrap(name, lon), miller(lat))
        d.ellipse(lit.box(x - 1.8, y - 1.8, x + 1.8, y + 1.8), fill=(255, 255, 255, 255))
        dr.ellipse(lit.box(x - 4, y - 4, x + 4, y + 4), outline=(255, 70, 50, 230), width=lit.ss)
    lit.glow(nodes.getchannel("A"), (255, 80, 60), 2.2, strength=1.6)
    lit.over(rings)
    lit.over(nodes)
    return lit.image


def make_world():
    """Returns the map (RGB) and [(name, overlay RGBA)] in reveal order."""
    groups = load_outlines()
    rings = continent_rings(groups)
    places = placements(rings)
    canvas = Canvas(*MAP_SIZE, background=(0, 0, 0), ss=4)
    masks = land_masks(canvas, rings, places)
    owners = dot_owners(canvas, masks)
    base_map(canvas, owners)
    world = canvas.result("RGB")
    overlays = []
    for name, (left, top, w, h) in OVERLAYS:
        layer = lit_layer(canvas, name, owners, places).resize(MAP_SIZE, Image.LANCZOS)
        y = top - MAP_TOP
        overlays.append((name, layer.crop((left, y, left + w, y + h))))
    return world, overlays


def composed(world, overlays):
    """The map with every overlay shown, as the page ends up (for looking at)."""
    out = world.convert("RGBA")
    for (name, (left, top, w, h)), (_, img) in zip(OVERLAYS, overlays):
        out.alpha_composite(img, (left, top - MAP_TOP))
    return out.convert("RGB")

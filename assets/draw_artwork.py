#!/usr/bin/python3
"""Draws every picture of the program into assets/art/. Deterministic: the same
sources give the same files. Run with Debian's Python (python3-pil):

    /usr/bin/python3 assets/draw_artwork.py [--sheet /tmp/sheet.png]

The outlines of the world map come from assets/artwork/continents.txt, which
assets/artwork/extract_geography.py refreshes from GMT's country data."""

import argparse
import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE / "artwork"))

from PIL import Image, ImageDraw  # noqa: E402

import appicon  # noqa: E402
import dials  # noqa: E402
import mascot  # noqa: E402
import pictures  # noqa: E402
import worldmap  # noqa: E402
from common import BLACK, DETAILS_PANEL, HEADING_BAR, TOP_AREA, flatten, font  # noqa: E402

OUT = HERE / "art"
ICONS = HERE / "icons"
ICON_NAME = "net.tachora.Tachora"
JPEG_QUALITY = 92


def artwork():
    """(file name, image, surface it sits on) for every picture, in README order."""
    panel, face_percent, face_mhz = dials.make_cluster()
    world, overlays = worldmap.make_world()
    bexo = mascot.pair()
    items = [
        ("caption_left.png", pictures.caption_left(), BLACK),
        ("caption_centre.png", pictures.caption_centre(), BLACK),
        ("caption_right.png", pictures.caption_right(), BLACK),
        ("dial_panel.png", panel, BLACK),
        ("dial_percent.png", face_percent, BLACK),
        ("dial_mhz.png", face_mhz, BLACK),
        ("test_page.png", pictures.test_picture(), BLACK),
        ("medal_background.jpg", pictures.medal_background(), BLACK),
        ("medal.jpg", pictures.medal(), BLACK),
        ("logo_intel.png", pictures.intel_badge(), DETAILS_PANEL),
        ("logo_amd.png", pictures.amd_badge(), DETAILS_PANEL),
        ("welcome_cpu.png", pictures.welcome_cpu(), BLACK),
        ("icon_secure.png", pictures.icon("secure"), BLACK),
        ("icon_guaranteed.png", pictures.icon("guaranteed"), BLACK),
        ("icon_no_spyware.png", pictures.icon("nospy"), BLACK),
        ("result.png", pictures.result_picture(), TOP_AREA),
        ("promo.png", pictures.promo_picture(), TOP_AREA),
        ("promo_icon.png", pictures.promo_icon(), TOP_AREA),
        ("bexo_red.png", bexo["red"], BLACK),
        ("bexo_green.png", bexo["green"], BLACK),
        ("about_badge.png", pictures.about_badge(), BLACK),
        ("about_flag.png", pictures.about_flag(), BLACK),
        ("globe.png", pictures.globe(), BLACK),
        ("country.png", pictures.country(), BLACK),
        ("world_map.png", world, BLACK),
    ]
    names = {
        "NorthAmerica": "map_north_america.png", "Asia": "map_asia.png", "Oceania": "map_oceania.png",
        "Europe": "map_europe.png", "Africa": "map_africa.png", "MidEast": "map_mid_east.png",
        "SouthAmerica": "map_south_america.png", "Greenland": "map_greenland.png",
    }
    for name, image in overlays:
        items.append((names[name], image, None))
    return items, world, overlays


def save(name, image, surface):
    path = OUT / name
    if name.endswith(".jpg"):
        flatten(image, surface or BLACK).save(path, "JPEG", quality=JPEG_QUALITY, optimize=True)
        return
    if image.mode == "RGBA" and surface is not None:
        # Transparent pictures keep their alpha; the colour under fully clear pixels is
        # the surface's, so a colour-keyed draw looks right as well.
        base = Image.new("RGBA", image.size, surface + (0,))
        clear = image.getchannel("A").point(lambda a: 255 if a == 0 else 0)
        image = Image.composite(base, image, clear)
    image.save(path, "PNG", optimize=True)


def save_icons():
    """The program's icon: for the desktop a PNG for each size the installed icon theme
    gets and the SVG (icons/); for Windows the .ico built into Tachora.exe's resources."""
    ICONS.mkdir(exist_ok=True)
    # The two lists share most sizes: each is drawn once (256 px takes seconds).
    drawn = {size: appicon.png(size) for size in set(appicon.SIZES + appicon.WINDOWS_SIZES)}
    for size in appicon.SIZES:
        drawn[size].save(ICONS / f"{ICON_NAME}-{size}.png", "PNG", optimize=True)
    (ICONS / f"{ICON_NAME}.svg").write_text(appicon.svg())
    sizes = appicon.WINDOWS_SIZES
    images = [drawn[size] for size in sizes]
    images[-1].save(OUT / "tachora.ico", "ICO", sizes=[(n, n) for n in sizes], append_images=images[:-1])


def contact_sheet(items, world, overlays, path):
    """Every picture on the surface it sits on, with its name, for looking at."""
    pad, x, y, row_h, width = 12, 12, 12, 0, 1100
    placed = []
    for name, image, surface in items:
        w, h = image.size
        if x + w + pad > width:
            x, y, row_h = pad, y + row_h + 26, 0
        placed.append((x, y, name, image, surface))
        x += max(w, 110) + pad
        row_h = max(row_h, h)
    full = worldmap.composed(world, overlays)
    height = y + row_h + 40 + full.height + pad
    sheet = Image.new("RGB", (width, height), (24, 24, 24))
    d = ImageDraw.Draw(sheet)
    label = font("sans", 11)
    for px, py, name, image, surface in placed:
        bg = surface if surface is not None else BLACK
        d.rectangle((px - 2, py - 2, px + image.width + 1, py + image.height + 1), fill=bg, outline=HEADING_BAR)
        sheet.paste(flatten(image, bg) if image.mode == "RGBA" else image.convert("RGB"), (px, py))
        d.text((px, py + image.height + 4), f"{name} {image.width}x{image.height}", font=label, fill=(200, 200, 200))
    sheet.paste(full, (pad, y + row_h + 30))
    sheet.save(path)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--sheet", help="also write a contact sheet PNG to this path")
    args = parser.parse_args()
    OUT.mkdir(exist_ok=True)
    items, world, overlays = artwork()
    for name, image, surface in items:
        save(name, image, surface)
    save_icons()
    if args.sheet:
        contact_sheet(items, world, overlays, args.sheet)


if __name__ == "__main__":
    main()

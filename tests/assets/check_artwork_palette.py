#!/usr/bin/python3
"""Checks that the artwork script paints the program's surfaces and accents in the
colours gui/Palette.h names for them, so a picture sits seamlessly on its page.

    check_artwork_palette.py SOURCE_DIR

Every colour of assets/artwork/common.py is either paired here with its palette name or
listed as the artwork's own shade; a colour that is neither fails, so a new one is
classified when it is added."""

import ast
import pathlib
import re
import sys

# common.py name: Palette.h name.
PAIRS = {
    "TOP_AREA": "kTopArea",
    "HEADING_BAR": "kBar",
    "RULE": "kRuling",
    "DETAILS_PANEL": "kDarkPanel",
    "FRAME_RED": "kDialogTopRule",
    "FRAME_GREY": "kDialogEdgeRule",
    "BLACK": "kBlack",
    "RED": "kRed",
    "SKY": "kLightBlue",
    "BLUE": "kScoreBar",
    "SILVER": "kSilver",
    "WHITE": "kWhite",
    "YELLOW": "kYellow",
    "LIME": "kLime",
}
# Shades only the pictures use, between the surfaces above.
OWN_SHADES = {"STEEL_LIGHT", "STEEL_MID", "STEEL_DARK", "GLOW_RED", "GLOW_SKY", "GLOW_GREEN"}


def palette_colours(header):
    """Palette.h's colours as (r, g, b), aliases resolved; system colours left out."""
    values = {}
    for name, value in re.findall(r"constexpr Color (k\w+) = (\w+);", header.read_text()):
        values[name] = values[value] if value in values else int(value, 16)
    return {
        name: (v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF)
        for name, v in values.items()
        if v >> 24 == 0
    }


def artwork_colours(script):
    """common.py's top-level colours, bgr(0x...) or (r, g, b), as (r, g, b)."""
    colours = {}
    for node in ast.parse(script.read_text()).body:
        if not (isinstance(node, ast.Assign) and len(node.targets) == 1):
            continue
        target = node.targets[0]
        if not (isinstance(target, ast.Name) and target.id.isupper()):
            continue
        value = node.value
        if isinstance(value, ast.Call) and getattr(value.func, "id", "") == "bgr":
            v = value.args[0].value
            colours[target.id] = (v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF)
        elif isinstance(value, ast.Tuple) and len(value.elts) == 3:
            if all(isinstance(e, ast.Constant) and isinstance(e.value, int) for e in value.elts):
                colours[target.id] = tuple(e.value for e in value.elts)
    return colours


def main():
    root = pathlib.Path(sys.argv[1])
    palette = palette_colours(root / "gui" / "Palette.h")
    artwork = artwork_colours(root / "assets" / "artwork" / "common.py")
    faults = []
    for name, colour in sorted(artwork.items()):
        if name in OWN_SHADES:
            continue
        if name not in PAIRS:
            faults.append(f"{name} {colour} is neither paired with a palette colour nor an own shade")
        elif PAIRS[name] not in palette:
            faults.append(f"{name}: gui/Palette.h has no {PAIRS[name]}")
        elif palette[PAIRS[name]] != colour:
            faults.append(f"{name} is {colour}, {PAIRS[name]} is {palette[PAIRS[name]]}")
    for name in sorted(set(PAIRS) - set(artwork)):
        faults.append(f"{name} is no longer in the artwork script: drop its pair")
    for fault in faults:
        print("artwork palette:", fault, file=sys.stderr)
    if not faults:
        print(f"artwork palette: {len(PAIRS)} colours match gui/Palette.h")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/python3
"""Extracts simplified country outlines, grouped by the eight continents of the
ranking map, from the Digital Chart of the World that GMT ships (Debian packages
gmt and gmt-dcw). Writes continents.txt beside this file; the drawing script reads
only that file, so GMT is needed only to refresh the outlines."""

import math
import pathlib
import subprocess

# Continent groups of the ranking map, as DCW country codes. Russia is split at the
# Urals (60 degrees east) between Europe and Asia when drawing.
GROUPS = {
    "NorthAmerica": "CA,US,MX,BZ,CR,GT,HN,NI,PA,SV,CU,DO,HT,JM,PR,BS,TT",
    "Greenland": "GL",
    "SouthAmerica": "AR,BO,BR,CL,CO,EC,FK,GF,GY,PE,PY,SR,UY,VE",
    "Europe": "AD,AL,AT,BA,BE,BG,BY,CH,CZ,DE,DK,EE,ES,FI,FO,FR,GB,GR,HR,HU,IE,IS,IT,"
              "LT,LU,LV,MD,ME,MK,NL,NO,PL,PT,RO,RS,SE,SI,SJ,SK,UA,XK",
    "Russia": "RU",
    "Africa": "AO,BF,BI,BJ,BW,CD,CF,CG,CI,CM,DJ,DZ,EG,EH,ER,ET,GA,GH,GM,GN,GQ,GW,KE,LR,"
              "LS,LY,MA,MG,ML,MR,MW,MZ,NA,NE,NG,RW,SD,SL,SN,SO,SS,SZ,TD,TG,TN,TZ,UG,ZA,ZM,ZW",
    "MidEast": "AE,BH,IL,IQ,IR,JO,KW,LB,OM,PS,QA,SA,SY,TR,YE,CY,GE,AM,AZ,AF,PK",
    "Asia": "BD,BN,BT,CN,ID,IN,JP,KG,KH,KP,KR,KZ,LA,LK,MM,MN,MY,NP,PH,SG,TH,TJ,TL,TM,TW,"
            "UZ,VN",
    "Oceania": "AU,NZ,PG,NC,FJ,SB,VU",
}

MIN_STEP_DEG = 0.35  # keep a point only when it is this far from the last one kept
MIN_AREA_DEG2 = 0.25  # drop islands smaller than this


def ring_area(points):
    return abs(sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]))) / 2


def simplify(points):
    kept = [points[0]]
    for x, y in points[1:]:
        if math.hypot(x - kept[-1][0], y - kept[-1][1]) >= MIN_STEP_DEG:
            kept.append((x, y))
    return kept


def outlines(codes):
    text = subprocess.run(["gmt", "coast", f"-E{codes}", "-M"], capture_output=True,
                          text=True, check=True).stdout
    rings, current = [], []
    for line in text.splitlines():
        if line.startswith(">"):
            if current:
                rings.append(current)
            current = []
        elif line.strip():
            lon, lat = map(float, line.split()[:2])
            current.append((lon, lat))
    if current:
        rings.append(current)
    result = []
    for ring in rings:
        if ring_area(ring) < MIN_AREA_DEG2:
            continue
        ring = simplify(ring)
        if len(ring) >= 4:
            result.append(ring)
    return result


def main():
    out = pathlib.Path(__file__).with_name("continents.txt")
    with out.open("w") as f:
        f.write("# Simplified outlines from the Digital Chart of the World (GMT's DCW).\n")
        for name, codes in GROUPS.items():
            for ring in outlines(codes):
                f.write(f"> {name}\n")
                f.write(" ".join(f"{lon:.2f},{lat:.2f}" for lon, lat in ring) + "\n")


if __name__ == "__main__":
    main()

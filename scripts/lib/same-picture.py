#!/usr/bin/env python3
"""same-picture.py A.png B.png: exit 0 when both PNGs hold the same pixels, else say where they differ."""
import sys

from PIL import Image, ImageChops

a = Image.open(sys.argv[1]).convert("RGBA")
b = Image.open(sys.argv[2]).convert("RGBA")
if a.size != b.size:
    print(f"{sys.argv[2]}: {b.size[0]}x{b.size[1]}, not {a.size[0]}x{a.size[1]}")
    sys.exit(1)
if a.tobytes() != b.tobytes():
    # Each channel's difference on its own: a bounding box of RGBA looks at alpha alone.
    boxes = [ImageChops.difference(x, y).getbbox() for x, y in zip(a.split(), b.split())]
    boxes = [box for box in boxes if box is not None]
    box = (min(x[0] for x in boxes), min(x[1] for x in boxes), max(x[2] for x in boxes), max(x[3] for x in boxes))
    print(f"{sys.argv[2]}: pixels differ within {box}")
    sys.exit(1)

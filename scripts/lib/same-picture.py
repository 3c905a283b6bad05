#!/usr/bin/env python3
"""same-picture.py A.png B.png: exit 0 when both PNGs hold the same pixels, else say where they differ."""
import sys

from PIL import Image, ImageChops

a = Image.open(sys.argv[1]).convert("RGBA")
b = Image.open(sys.argv[2]).convert("RGBA")
if a.size != b.size:
    print(f"{sys.argv[2]}: {b.size[0]}x{b.size[1]}, not {a.size[0]}x{a.size[1]}")
    sys.exit(1)
box = ImageChops.difference(a, b).getbbox()
if box is not None:
    print(f"{sys.argv[2]}: pixels differ within {box}")
    sys.exit(1)

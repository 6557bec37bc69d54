"""Pillow's side of compare-join.sh: DIRECTION (h or v) OUT IN...

Every picture is enlarged with bicubic to the tallest height (h) or widest width (v) and
pasted in order onto white, 10 pixels apart; the result is saved as JPEG quality 85, or as PNG
at zlib level 6 when OUT ends in ".png".
"""
import sys

from PIL import Image

GAP = 10

direction, out, *inputs = sys.argv[1:]
horizontal = direction == "h"
images = [Image.open(path) for path in inputs]
if horizontal:
    height = max(im.height for im in images)
    sizes = [(im.width * height // im.height, height) for im in images]
    total = (sum(w for w, _ in sizes) + GAP * (len(images) - 1), height)
else:
    width = max(im.width for im in images)
    sizes = [(width, im.height * width // im.width) for im in images]
    total = (width, sum(h for _, h in sizes) + GAP * (len(images) - 1))

joined = Image.new("RGB", total, "white")
position = 0
for image, size in zip(images, sizes):
    part = image.convert("RGB")
    if part.size != size:
        part = part.resize(size, Image.BICUBIC)
    joined.paste(part, (position, 0) if horizontal else (0, position))
    position += (size[0] if horizontal else size[1]) + GAP
    part.close()
    image.close()
if out.lower().endswith(".png"):
    joined.save(out, compress_level=6)
else:
    joined.save(out, quality=85)

"""libvips's side of compare-join.sh: DIRECTION (h or v) OUT IN...

The same work as pillow_join.py in one process, streaming: every picture is opened for
sequential access, resized with the cubic kernel and joined to the previous ones 10 pixels
apart on white; the result is saved as JPEG quality 85, or as PNG at zlib level 6 (libvips's
own filter choice) when OUT ends in ".png".
"""
import ctypes
import sys

from vips_library import GAP, KERNEL_CUBIC, VP, check, load, open_sequential, white

direction, out, *inputs = sys.argv[1:]
vips = load("vips_join")
images = []
for path in inputs:
    image = open_sequential(vips, path)
    images.append((image, vips.vips_image_get_width(image), vips.vips_image_get_height(image)))
horizontal = direction == "h"
common = max(h if horizontal else w for _, w, h in images)
background = white(vips, 1)
joined = None
for image, w, h in images:
    target = (w * common // h, common) if horizontal else (common, h * common // w)
    resized = VP()
    check(vips, vips.vips_resize(image, ctypes.byref(resized), ctypes.c_double(target[0] / w),
                                 b"vscale", ctypes.c_double(target[1] / h), b"kernel", ctypes.c_int(KERNEL_CUBIC), None))
    if joined is None:
        joined = resized
        continue
    both = VP()
    check(vips, vips.vips_join(joined, resized, ctypes.byref(both), ctypes.c_int(0 if horizontal else 1),
                               b"shim", ctypes.c_int(GAP), b"background", background, None))
    joined = both
option = (b"compression", 6) if out.lower().endswith(".png") else (b"Q", 85)
check(vips, vips.vips_image_write_to_file(joined, out.encode(), option[0], ctypes.c_int(option[1]), None))

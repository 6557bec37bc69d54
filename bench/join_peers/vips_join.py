"""libvips's side of compare-join.sh: DIRECTION (h or v) OUT IN...

The same work as pillow_join.py in one process, streaming: every picture is opened for
sequential access, resized with the cubic kernel and joined to the previous ones 10 pixels
apart on white; the result is saved as JPEG quality 85. Debian has no Python binding for
libvips, so the library is called through ctypes.
"""
import ctypes
import sys

GAP = 10
ACCESS_SEQUENTIAL = 1
KERNEL_CUBIC = 2

direction, out, *inputs = sys.argv[1:]
vips = ctypes.CDLL("libvips.so.42")
if vips.vips_init(b"vips_join") != 0:
    sys.exit("vips_init failed")
VP = ctypes.c_void_p
vips.vips_image_new_from_file.restype = VP
vips.vips_array_double_new.restype = VP
vips.vips_error_buffer.restype = ctypes.c_char_p


def check(status):
    if status != 0:
        sys.exit(vips.vips_error_buffer().decode())


images = []
for path in inputs:
    image = vips.vips_image_new_from_file(path.encode(), b"access", ctypes.c_int(ACCESS_SEQUENTIAL), None)
    if not image:
        sys.exit(vips.vips_error_buffer().decode())
    images.append((VP(image), vips.vips_image_get_width(VP(image)), vips.vips_image_get_height(VP(image))))
horizontal = direction == "h"
common = max(h if horizontal else w for _, w, h in images)
white = VP(vips.vips_array_double_new((ctypes.c_double * 1)(255.0), 1))
joined = None
for image, w, h in images:
    target = (w * common // h, common) if horizontal else (common, h * common // w)
    resized = VP()
    check(vips.vips_resize(image, ctypes.byref(resized), ctypes.c_double(target[0] / w),
                           b"vscale", ctypes.c_double(target[1] / h), b"kernel", ctypes.c_int(KERNEL_CUBIC), None))
    if joined is None:
        joined = resized
        continue
    both = VP()
    check(vips.vips_join(joined, resized, ctypes.byref(both), ctypes.c_int(0 if horizontal else 1),
                         b"shim", ctypes.c_int(GAP), b"background", white, None))
    joined = both
check(vips.vips_image_write_to_file(joined, out.encode(), b"Q", ctypes.c_int(85), None))

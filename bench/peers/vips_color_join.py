"""libvips's side of compare-color.sh: OUT PROFILE SRGB_PROFILE P3_IN SRGB_IN

The same work as quilmo-cli join in one process, streaming: the sRGB photo is transformed into
the Display P3 profile (relative colorimetric with black point compensation), joined to the
right of the Display P3 photo, whose profile the result keeps, and saved as JPEG quality 85.
"""
import ctypes
import sys

from vips_library import VP, check, load, open_sequential

INTENT_RELATIVE = 1

out, profile, srgb_profile, p3_in, srgb_in = sys.argv[1:]
vips = load("vips_color_join")
p3 = open_sequential(vips, p3_in)
srgb = open_sequential(vips, srgb_in)
converted = VP()
check(vips, vips.vips_icc_transform(srgb, ctypes.byref(converted), profile.encode(),
                                    b"input_profile", srgb_profile.encode(),
                                    b"intent", ctypes.c_int(INTENT_RELATIVE),
                                    b"black_point_compensation", ctypes.c_int(1), None))
joined = VP()
pair = (VP * 2)(p3, converted)
check(vips, vips.vips_arrayjoin(pair, ctypes.byref(joined), ctypes.c_int(2), b"across", ctypes.c_int(2), None))
check(vips, vips.vips_image_write_to_file(joined, out.encode(), b"Q", ctypes.c_int(85), None))

"""libvips's side of compare-batch.sh: PAIRS OUT JOBS

The same work as pillow_batch.py: per pair the lower picture is resized with the cubic kernel to
the higher one's height, the two are joined side by side 10 pixels apart on white and saved as
JPEG quality 85 under the pair's number. JOBS processes share the pairs; each opens its pictures
for sequential access, so libvips streams them.
"""
import ctypes
import os
import sys
from multiprocessing import Pool

from vips_library import GAP, KERNEL_CUBIC, VP, check, load, open_sequential, white

vips = None
background = None


def start():
    global vips, background
    vips = load("vips_batch")
    background = white(vips, 1)


def join(job):
    number, left_path, right_path, out = job
    opened = [open_sequential(vips, path) for path in (left_path, right_path)]
    height = max(vips.vips_image_get_height(image) for image in opened)
    parts = []
    for image in opened:
        w, h = vips.vips_image_get_width(image), vips.vips_image_get_height(image)
        if h == height:
            parts.append(image)
            continue
        resized = VP()
        check(vips, vips.vips_resize(image, ctypes.byref(resized), ctypes.c_double(w * height // h / w),
                                     b"vscale", ctypes.c_double(height / h), b"kernel", ctypes.c_int(KERNEL_CUBIC), None))
        parts.append(resized)
    joined = VP()
    check(vips, vips.vips_join(parts[0], parts[1], ctypes.byref(joined), ctypes.c_int(0),
                               b"shim", ctypes.c_int(GAP), b"background", background, None))
    check(vips, vips.vips_image_write_to_file(joined, os.path.join(out, "%02d.jpg" % number).encode(),
                                              b"Q", ctypes.c_int(85), None))
    for image in {id(i): i for i in opened + parts + [joined]}.values():
        vips.g_object_unref(image)


def main():
    pairs, out, jobs = sys.argv[1], sys.argv[2], int(sys.argv[3])
    with open(pairs) as lines:
        work = [(n, *line.rstrip("\n").split("\t"), out) for n, line in enumerate(lines, 1)]
    with Pool(jobs, initializer=start) as pool:
        pool.map(join, work, chunksize=1)


if __name__ == "__main__":
    main()

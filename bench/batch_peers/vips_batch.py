"""libvips's side of compare-batch.sh: PAIRS OUT JOBS

The same work as pillow_batch.py: per pair the lower picture is resized with the cubic kernel to
the higher one's height, the two are joined side by side 10 pixels apart on white and saved as
JPEG quality 85 under the pair's number. JOBS processes share the pairs; each opens its pictures
for sequential access, so libvips streams them. Debian has no Python binding for libvips, so the
library is called through ctypes.
"""
import ctypes
import os
import sys
from multiprocessing import Pool

GAP = 10
ACCESS_SEQUENTIAL = 1
KERNEL_CUBIC = 2
VP = ctypes.c_void_p
vips = None
white = None


def start():
    global vips, white
    vips = ctypes.CDLL("libvips.so.42")
    if vips.vips_init(b"vips_batch") != 0:
        sys.exit("vips_init failed")
    vips.vips_image_new_from_file.restype = VP
    vips.vips_array_double_new.restype = VP
    vips.vips_error_buffer.restype = ctypes.c_char_p
    white = VP(vips.vips_array_double_new((ctypes.c_double * 1)(255.0), 1))


def check(status):
    if status != 0:
        raise RuntimeError(vips.vips_error_buffer().decode())


def unref(image):
    vips.g_object_unref(image)


def join(job):
    number, left_path, right_path, out = job
    opened = []
    for path in (left_path, right_path):
        image = vips.vips_image_new_from_file(path.encode(), b"access", ctypes.c_int(ACCESS_SEQUENTIAL), None)
        if not image:
            raise RuntimeError(vips.vips_error_buffer().decode())
        opened.append(VP(image))
    height = max(vips.vips_image_get_height(image) for image in opened)
    parts = []
    for image in opened:
        w, h = vips.vips_image_get_width(image), vips.vips_image_get_height(image)
        if h == height:
            parts.append(image)
            continue
        resized = VP()
        check(vips.vips_resize(image, ctypes.byref(resized), ctypes.c_double(w * height // h / w),
                               b"vscale", ctypes.c_double(height / h), b"kernel", ctypes.c_int(KERNEL_CUBIC), None))
        parts.append(resized)
    joined = VP()
    check(vips.vips_join(parts[0], parts[1], ctypes.byref(joined), ctypes.c_int(0),
                         b"shim", ctypes.c_int(GAP), b"background", white, None))
    check(vips.vips_image_write_to_file(joined, os.path.join(out, "%02d.jpg" % number).encode(),
                                        b"Q", ctypes.c_int(85), None))
    for image in {id(i): i for i in opened + parts + [joined]}.values():
        unref(image)


def main():
    pairs, out, jobs = sys.argv[1], sys.argv[2], int(sys.argv[3])
    with open(pairs) as lines:
        work = [(n, *line.rstrip("\n").split("\t"), out) for n, line in enumerate(lines, 1)]
    with Pool(jobs, initializer=start) as pool:
        pool.map(join, work, chunksize=1)


if __name__ == "__main__":
    main()

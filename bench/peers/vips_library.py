"""libvips for the peer scripts. Debian has no Python binding for libvips, so the library is
called through ctypes; this opens it once and gives the few calls the scripts share.
"""
import ctypes

GAP = 10
ACCESS_SEQUENTIAL = 1
KERNEL_CUBIC = 2
VP = ctypes.c_void_p


class VipsError(RuntimeError):
    pass


def load(program):
    """libvips, started for program, with the return types the scripts rely on."""
    vips = ctypes.CDLL("libvips.so.42")
    if vips.vips_init(program.encode()) != 0:
        raise VipsError("vips_init failed")
    vips.vips_image_new_from_file.restype = VP
    vips.vips_array_double_new.restype = VP
    vips.vips_error_buffer.restype = ctypes.c_char_p
    return vips


def check(vips, status):
    if status != 0:
        raise VipsError(vips.vips_error_buffer().decode())


def open_sequential(vips, path):
    """The picture at path, read once from top to bottom, so that libvips streams it."""
    image = vips.vips_image_new_from_file(path.encode(), b"access", ctypes.c_int(ACCESS_SEQUENTIAL), None)
    if not image:
        raise VipsError(vips.vips_error_buffer().decode())
    return VP(image)


def white(vips, bands):
    return VP(vips.vips_array_double_new((ctypes.c_double * bands)(*[255.0] * bands), bands))

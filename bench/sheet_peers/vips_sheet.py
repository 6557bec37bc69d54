"""libvips's side of compare-sheet.sh: CELL_WIDTH CELL_HEIGHT ACROSS OUT IN...

Every picture is opened for sequential access and resized with the cubic kernel to fit a cell
of CELL_WIDTH x CELL_HEIGHT; vips_arrayjoin puts them ACROSS a row, centred in their cells,
10 pixels apart on white, and the sheet is saved as JPEG quality 85. Debian has no Python
binding for libvips, so the library is called through ctypes.
"""
import ctypes
import sys

GAP = 10
ACCESS_SEQUENTIAL = 1
KERNEL_CUBIC = 2
ALIGN_CENTRE = 1

cell_width, cell_height, across, out, *inputs = sys.argv[1:]
cell_width, cell_height, across = int(cell_width), int(cell_height), int(across)
vips = ctypes.CDLL("libvips.so.42")
if vips.vips_init(b"vips_sheet") != 0:
    sys.exit("vips_init failed")
VP = ctypes.c_void_p
vips.vips_image_new_from_file.restype = VP
vips.vips_array_double_new.restype = VP
vips.vips_error_buffer.restype = ctypes.c_char_p


def check(status):
    if status != 0:
        sys.exit(vips.vips_error_buffer().decode())


cells = []
for path in inputs:
    image = VP(vips.vips_image_new_from_file(path.encode(), b"access", ctypes.c_int(ACCESS_SEQUENTIAL), None))
    if not image:
        sys.exit(vips.vips_error_buffer().decode())
    width, height = vips.vips_image_get_width(image), vips.vips_image_get_height(image)
    scale = min(cell_width / width, cell_height / height)
    resized = VP()
    check(vips.vips_resize(image, ctypes.byref(resized), ctypes.c_double(scale),
                           b"kernel", ctypes.c_int(KERNEL_CUBIC), None))
    cells.append(resized)
white = VP(vips.vips_array_double_new((ctypes.c_double * 3)(255.0, 255.0, 255.0), 3))
sheet = VP()
check(vips.vips_arrayjoin((VP * len(cells))(*cells), ctypes.byref(sheet), ctypes.c_int(len(cells)),
                          b"across", ctypes.c_int(across), b"shim", ctypes.c_int(GAP),
                          b"background", white, b"halign", ctypes.c_int(ALIGN_CENTRE),
                          b"valign", ctypes.c_int(ALIGN_CENTRE), None))
check(vips.vips_image_write_to_file(sheet, out.encode(), b"Q", ctypes.c_int(85), None))

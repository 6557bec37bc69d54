"""libvips's side of compare-sheet.sh: CELL_WIDTH CELL_HEIGHT ACROSS OUT IN...

Every picture is opened for sequential access and resized with the cubic kernel to fit a cell
of CELL_WIDTH x CELL_HEIGHT; vips_arrayjoin puts them ACROSS a row, centred in their cells,
10 pixels apart on white, and the sheet is saved as JPEG quality 85.
"""
import ctypes
import sys

from vips_library import GAP, KERNEL_CUBIC, VP, check, load, open_sequential, white

ALIGN_CENTRE = 1

cell_width, cell_height, across, out, *inputs = sys.argv[1:]
cell_width, cell_height, across = int(cell_width), int(cell_height), int(across)
vips = load("vips_sheet")
cells = []
for path in inputs:
    image = open_sequential(vips, path)
    width, height = vips.vips_image_get_width(image), vips.vips_image_get_height(image)
    scale = min(cell_width / width, cell_height / height)
    resized = VP()
    check(vips, vips.vips_resize(image, ctypes.byref(resized), ctypes.c_double(scale),
                                 b"kernel", ctypes.c_int(KERNEL_CUBIC), None))
    cells.append(resized)
sheet = VP()
check(vips, vips.vips_arrayjoin((VP * len(cells))(*cells), ctypes.byref(sheet), ctypes.c_int(len(cells)),
                                b"across", ctypes.c_int(across), b"shim", ctypes.c_int(GAP),
                                b"background", white(vips, 3), b"halign", ctypes.c_int(ALIGN_CENTRE),
                                b"valign", ctypes.c_int(ALIGN_CENTRE), None))
check(vips, vips.vips_image_write_to_file(sheet, out.encode(), b"Q", ctypes.c_int(85), None))

#include "plugins/tiff/tiff_directory.h"

#include "plugins/byte_reader.h"

namespace quilmo::spi {

namespace {

// The bytes of one value of a TIFF field type; 0 for a type libtiff does not read.
size_t ValueSize(uint16_t type)
{
    switch (type) {
    case 1: case 2: case 6: case 7: return 1;           // bytes, text, signed bytes, undefined
    case 3: case 8: return 2;                           // shorts
    case 4: case 9: case 11: case 13: return 4;         // longs, floats, directory offsets
    case 5: case 10: case 12: case 16: case 17: case 18: return 8;  // rationals, doubles, 64-bit
    default: return 0;
    }
}

}  // namespace

bool DirectoryFitsTheFile(const uint8_t* data, size_t size)
{
    TByteReader reader({data, size}, size > 0 && data[0] == 'I');
    reader.Skip(2);
    const bool big = reader.U16() == 43;
    if (big) reader.Skip(4);  // the size of offsets, and a reserved field
    reader.Seek(reader.Number(big ? 8 : 4));
    const uint64_t entries = reader.Number(big ? 8 : 2);
    uint64_t values = 0;
    for (uint64_t i = 0; i < entries && !reader.Failed(); ++i) {
        reader.Skip(2);  // the tag
        const size_t valueSize = ValueSize(reader.U16());
        const uint64_t count = reader.Number(big ? 8 : 4);
        reader.Skip(big ? 8 : 4);  // the values, or where they are
        if (valueSize != 0 && count > (size - values) / valueSize) return false;
        values += count * valueSize;
    }
    return true;
}

}  // namespace quilmo::spi

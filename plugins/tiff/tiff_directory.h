#pragma once
// The first directory of a TIFF file, which libtiff reads whole when it opens the file: the
// values of every entry are taken into memory, wherever in the file they lie.

#include <cstddef>
#include <cstdint>

namespace quilmo::spi {

// False when the values of the first directory's entries add up to more than the file holds,
// as when thousands of entries point at the same bytes: libtiff would take that much memory
// for them. True when there is no directory to read; libtiff says what is wrong then.
bool DirectoryFitsTheFile(const uint8_t* data, size_t size);

}  // namespace quilmo::spi

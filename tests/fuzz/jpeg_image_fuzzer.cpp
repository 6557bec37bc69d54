#include "fuzz/compressed_graphic_fuzzing.h"
#include "input/jpeg_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return quilmo::FuzzCompressedGraphic<quilmo::TJPEGImage>(data, size);
}

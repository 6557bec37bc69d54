#include "bmp_image.h"

#include <vector>

#include "bigbitmap/dib_utils.h"
#include "bigbitmap/stream.h"
#include "color/dib_color_space.h"

namespace quilmo {

void TBmpImage::Assign(TGraphic* source)
{
    TBigBitmap::Assign(source);
    FProfile = source ? ProfileOf(*source) : TColorProfile();
}

void TBmpImage::LoadFromStream(TStream& stream)
{
    const int64_t start = stream.Position();
    const TDIBHeader header = ReadDIBHeader(stream);
    const std::vector<uint8_t> embedded = ReadEmbeddedProfile(stream, start + kFileHeaderSize, header.ColorSpace);
    stream.SetPosition(start);
    TBigBitmap::LoadFromStream(stream);
    FProfile = ProfileOfDIB(header.ColorSpace, embedded);
}

}  // namespace quilmo

#pragma once
// Pictures on the clipboard: what a copy offers other programs, and what a paste can take.

#include <QImage>
#include <memory>

class QMimeData;

namespace quilmo {

class TBigBitmap;
class TColorProfile;

// The BMP file form (file header and packed DIB) programs exchange as "image/bmp".
inline constexpr const char* kBmpMimeType = "image/bmp";

// A copy of picture (in the colours of profile) for the clipboard, in sRGB: as "image/bmp" and as
// an image any program can paste. Both forms are made only when a program asks for them.
std::unique_ptr<QMimeData> PictureMimeData(TBigBitmap& picture, const TColorProfile& profile);

// True when data holds a picture a paste can take.
bool HoldsPicture(const QMimeData* data);
// The picture of data: "image/bmp" first, read by our own BMP reader, else the image Qt offers,
// made 24 bits with transparent parts over white. None when data holds no picture; raises the
// reader's error for a damaged one.
std::unique_ptr<TBigBitmap> PictureFromMimeData(const QMimeData& data);

// picture (24 bits) as one image, and an image as a 24-bit picture with transparency over white.
QImage ImageOfPicture(const TBigBitmap& picture);
std::unique_ptr<TBigBitmap> PictureOfImage(const QImage& image);

}  // namespace quilmo

#include "picture_file.h"

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/errors.h"
#include "bigbitmap/stream.h"
#include "bmp_writer.h"
#include "format_limits.h"
#include "input/file_extension.h"
#include "png_writer.h"
#include "webp_writer.h"
#include "bigbitmap/ui_text.h"

namespace quilmo {

TPictureFileFormat PictureFileFormat(const std::string& fileName)
{
    const std::string extension = LowerExt(fileName);
    if (extension == ".jpg" || extension == ".jpeg" || extension == ".jpe") return TPictureFileFormat::JPEG;
    if (extension == ".png") return TPictureFileFormat::PNG;
    if (extension == ".webp") return TPictureFileFormat::WebP;
    return TPictureFileFormat::BMP;
}

void CheckPictureFile(TBigBitmap& picture, const std::filesystem::path& fileName)
{
    if (picture.GetEmpty()) throw EWriteError(UiText(UI_TEXT("quilmo", "空の画像は保存できません")));
    CheckFormatHolds(PictureFileFormat(fileName.string()), picture.DIBLayout());
}

void SavePictureFile(TBigBitmap& picture, const std::filesystem::path& fileName,
                     const TJpegSaveOptions& jpeg, const TColorProfile& profile, const TRowGate& gate)
{
    CheckPictureFile(picture, fileName);
    const TPictureFileFormat format = PictureFileFormat(fileName.string());
    const bool rowByRow = format == TPictureFileFormat::JPEG || format == TPictureFileFormat::PNG;
    if (gate && !rowByRow) gate(picture.GetHeight());
    WriteFileAtomically(fileName, [&](TStream& stream) {
        switch (format) {
        case TPictureFileFormat::JPEG: WriteJpeg(picture, stream, jpeg, profile, gate); break;
        case TPictureFileFormat::PNG: WritePng(picture, stream, profile, gate); break;
        case TPictureFileFormat::WebP: WriteWebp(picture, stream, jpeg.Quality, profile); break;
        case TPictureFileFormat::BMP: WriteBmp(picture, stream, profile); break;
        }
    });
}

}  // namespace quilmo

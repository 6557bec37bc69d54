#include "clipboard_picture.h"

#include <QMimeData>
#include <QPainter>
#include <cstring>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/pixel_limit.h"
#include "bigbitmap/stream.h"
#include "color/color_profile.h"
#include "core/picture_colors.h"

namespace quilmo {

namespace {

constexpr qsizetype kFileHeaderSize = 14;

// Holds its own copy of the picture, in sRGB, so later changes of the joined picture do not
// reach the clipboard, and converts it only for the form a program asks for.
class TPictureMimeData : public QMimeData {
public:
    TPictureMimeData(TBigBitmap& picture, const TColorProfile& profile)
    {
        FPicture.Assign(&picture);
        ConvertToSRGB(FPicture, profile);
    }

    QStringList formats() const override
    {
        return {QString::fromLatin1(kBmpMimeType), QStringLiteral("application/x-qt-image")};
    }
    bool hasFormat(const QString& mimeType) const override
    {
        return formats().contains(mimeType);
    }

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override
    {
        if (mimeType == QLatin1String(kBmpMimeType)) {
            TMemoryStream stream;
            FPicture.SaveToStream(stream);
            const std::vector<uint8_t>& bytes = stream.Bytes();
            return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                              static_cast<qsizetype>(bytes.size()));
        }
        if (mimeType == QLatin1String("application/x-qt-image")) return ImageOfPicture(FPicture);
        return QMimeData::retrieveData(mimeType, type);
    }

private:
    mutable TBigBitmap FPicture;
};

}  // namespace

std::unique_ptr<QMimeData> PictureMimeData(TBigBitmap& picture, const TColorProfile& profile)
{
    return std::make_unique<TPictureMimeData>(picture, profile);
}

bool HoldsPicture(const QMimeData* data)
{
    return data && (data->hasFormat(QString::fromLatin1(kBmpMimeType)) || data->hasImage());
}

std::unique_ptr<TBigBitmap> PictureFromMimeData(const QMimeData& data)
{
    auto picture = std::make_unique<TBigBitmap>();
    if (data.hasFormat(QString::fromLatin1(kBmpMimeType))) {
        const QByteArray bytes = data.data(QString::fromLatin1(kBmpMimeType));
        // Some programs put the packed DIB alone under this name.
        const qsizetype skip = bytes.startsWith("BM") ? kFileHeaderSize : 0;
        const auto* dib = reinterpret_cast<const uint8_t*>(bytes.constData()) + skip;
        const auto size = static_cast<size_t>(std::max<qsizetype>(bytes.size() - skip, 0));
        picture->LoadFromClipboardFormat(CF_DIB, dib, size);
        return picture;
    }
    if (!data.hasImage()) return nullptr;
    return PictureOfImage(qvariant_cast<QImage>(data.imageData()));
}

QImage ImageOfPicture(const TBigBitmap& picture)
{
    QImage image(picture.GetWidth(), picture.GetHeight(), QImage::Format_BGR888);
    if (image.isNull()) return image;
    const qsizetype rowBytes = qsizetype{picture.GetWidth()} * 3;
    int32_t row = 0;
    for (int i = 0; i < picture.BandCount(); ++i) {
        const TBitmap& band = picture.Band(i);
        for (int32_t r = 0; r < band.GetHeight(); ++r, ++row)
            std::memcpy(image.scanLine(row), band.ScanLine(r), rowBytes);
    }
    return image;
}

std::unique_ptr<TBigBitmap> PictureOfImage(const QImage& image)
{
    if (image.isNull()) return nullptr;
    CheckPicturePixels(image.width(), image.height());
    QImage flat(image.size(), QImage::Format_BGR888);
    flat.fill(Qt::white);
    {
        QPainter painter(&flat);
        painter.drawImage(0, 0, image);
    }
    auto picture = std::make_unique<TBigBitmap>();
    const size_t rowBytes = static_cast<size_t>(flat.width()) * 3;
    picture->LoadFromRows(flat.width(), flat.height(), bbpf24bit, {},
                          [&](int32_t row, uint8_t* line) {
                              std::memcpy(line, flat.constScanLine(row), rowBytes);
                              std::memset(line + rowBytes, 0, (4 - rowBytes % 4) % 4);
                          });
    return picture;
}

}  // namespace quilmo

#include "gif_image.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <gif_lib.h>

#include "bigbitmap/errors.h"
#include "picture_rows.h"
#include "bigbitmap/ui_text.h"

namespace quilmo {

namespace {

[[noreturn]] void Fail(const char* message)
{
    throw EInvalidGraphic(FillIn(UiText(UI_TEXT("quilmo", "GIF 画像が正しくありません: %1")), message));
}

[[noreturn]] void Fail(int giflibError)
{
    const char* text = GifErrorString(giflibError);
    Fail(text ? text : "unknown error");
}

// An interlaced frame sends every eighth row from row 0, every eighth from row 4, every
// fourth from row 2, then every second from row 1.
constexpr int kInterlaceStart[] = {0, 4, 2, 1};
constexpr int kInterlaceStep[] = {8, 8, 4, 2};

// One giflib decoder over the bytes of a file, released in every case.
class TGifReader {
public:
    explicit TGifReader(std::span<const uint8_t> bytes) : FBytes(bytes)
    {
        int error = 0;
        FGif = DGifOpen(this, ReadBytes, &error);
        if (!FGif) Fail(error);
    }
    ~TGifReader()
    {
        int ignored = 0;
        DGifCloseFile(FGif, &ignored);
    }
    TGifReader(const TGifReader&) = delete;
    TGifReader& operator=(const TGifReader&) = delete;

    // Reads the records up to the first frame. The picture is the logical screen, grown to hold
    // the frame where a careless writer made it too small.
    void ReadHeader()
    {
        for (;;) {
            GifRecordType type = UNDEFINED_RECORD_TYPE;
            Require(DGifGetRecordType(FGif, &type));
            if (type == IMAGE_DESC_RECORD_TYPE) break;
            if (type == TERMINATE_RECORD_TYPE) Fail("no picture in the file");
            if (type == EXTENSION_RECORD_TYPE) ReadExtension();
        }
        Require(DGifGetImageHeader(FGif));
        const GifImageDesc& frame = FGif->Image;
        if (frame.Width <= 0 || frame.Height <= 0 || frame.Left < 0 || frame.Top < 0)
            Fail("wrongly sized frame");
        FWidth = std::max(FGif->SWidth, frame.Left + frame.Width);
        FHeight = std::max(FGif->SHeight, frame.Top + frame.Height);
    }

    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }

    void ReadPixels(TPictureRows& rows)
    {
        const GifImageDesc& frame = FGif->Image;
        std::vector<GifPixelType> line(static_cast<size_t>(frame.Width));
        auto readRow = [&](int y) {
            Require(DGifGetLine(FGif, line.data(), frame.Width));
            PutRow(line.data(), rows.Row(frame.Top + y) + size_t{3} * frame.Left);
        };
        if (!frame.Interlace) {
            for (int y = 0; y < frame.Height; ++y) readRow(y);
            return;
        }
        for (int pass = 0; pass < 4; ++pass)
            for (int y = kInterlaceStart[pass]; y < frame.Height; y += kInterlaceStep[pass]) readRow(y);
    }

private:
    static int ReadBytes(GifFileType* gif, GifByteType* out, int count)
    {
        auto& reader = *static_cast<TGifReader*>(gif->UserData);
        const size_t n = std::min(static_cast<size_t>(std::max(count, 0)),
                                  reader.FBytes.size() - reader.FPosition);
        if (n > 0) std::memcpy(out, reader.FBytes.data() + reader.FPosition, n);
        reader.FPosition += n;
        return static_cast<int>(n);
    }

    void Require(int result) const
    {
        if (result != GIF_OK) Fail(FGif->Error);
    }

    // Only the graphic control block matters: it names the transparent colour.
    void ReadExtension()
    {
        int code = 0;
        GifByteType* block = nullptr;
        Require(DGifGetExtension(FGif, &code, &block));
        GraphicsControlBlock control;
        if (code == GRAPHICS_EXT_FUNC_CODE && block &&
            DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
            FTransparent = control.TransparentColor;
        while (block) Require(DGifGetExtensionNext(FGif, &block));
    }

    // Colour indices past the colour table are black; transparent pixels keep the row's white.
    void PutRow(const GifPixelType* indices, uint8_t* to) const
    {
        const ColorMapObject* map = FGif->Image.ColorMap ? FGif->Image.ColorMap : FGif->SColorMap;
        const int colours = map ? map->ColorCount : 0;
        for (int x = 0; x < FGif->Image.Width; ++x, to += 3) {
            const int index = indices[x];
            if (index == FTransparent) continue;
            const GifColorType colour = index < colours ? map->Colors[index] : GifColorType{0, 0, 0};
            to[0] = colour.Blue;
            to[1] = colour.Green;
            to[2] = colour.Red;
        }
    }

    std::span<const uint8_t> FBytes;
    size_t FPosition = 0;
    GifFileType* FGif = nullptr;
    int FTransparent = NO_TRANSPARENT_COLOR;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
};

}  // namespace

TCompressedGraphic::THeader TGIFImage::ReadHeader(std::span<const uint8_t> bytes) const
{
    TGifReader reader(bytes);
    reader.ReadHeader();
    CheckPictureSize("GIF", reader.Width(), reader.Height());
    // GIF describes no colours: sRGB.
    return {reader.Width(), reader.Height(), {}};
}

void TGIFImage::Decode(std::span<const uint8_t> bytes, TPictureRows& rows) const
{
    TGifReader reader(bytes);
    reader.ReadHeader();
    reader.ReadPixels(rows);
}

}  // namespace quilmo

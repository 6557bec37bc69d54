#include "png_image.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bigbitmap/big_bitmap.h"
#include "bigbitmap/errors.h"
#include "bigbitmap/pixel_limit.h"
#include "picture_rows.h"
#include "png_error.h"
#include "bigbitmap/ui_text.h"

namespace quilmo {

namespace {

[[noreturn]] void Fail(const char* message)
{
    throw EInvalidGraphic(FillIn(UiText(UI_TEXT("quilmo", "PNG 画像が正しくありません: %1")), message));
}

// Colour value c of opacity a composed over white.
uint8_t OverWhite(int c, int a)
{
    return static_cast<uint8_t>((c * a + 255 * (255 - a) + 127) / 255);
}

// Where the pixels of one pass land: every column step-th column from the first, every row
// step-th row from the first. A picture that is not interlaced is one pass over everything.
struct TPass {
    uint32_t Left = 0, ColumnStep = 1, Columns = 0;
    uint32_t Top = 0, RowStep = 1, Rows = 0;
};

TPass AdamPass(int pass, uint32_t width, uint32_t height)
{
    TPass where;
    where.Left = PNG_PASS_START_COL(pass);
    where.ColumnStep = PNG_PASS_COL_OFFSET(pass);
    where.Columns = PNG_PASS_COLS(width, pass);
    where.Top = PNG_PASS_START_ROW(pass);
    where.RowStep = PNG_PASS_ROW_OFFSET(pass);
    where.Rows = PNG_PASS_ROWS(height, pass);
    return where;
}

// The chunks before the pixels (texts, colour profiles, ...) get this much memory each. libpng
// takes a chunk's memory on the word of its length field, before reading it: a few bytes that
// claim a gigabyte would have it. A chunk refused its memory is passed over.
constexpr png_alloc_size_t kChunkMemoryLimit = 8 << 20;

// One libpng reader over the bytes of a file, released in every case.
class TPngReader {
public:
    explicit TPngReader(std::span<const uint8_t> bytes) : FBytes(bytes)
    {
        const bool created = PngCall(FErrors, [this] {
            FPng.Png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, &FErrors, PngErrorFunction,
                                                PngWarningFunction, this, Allocate, Release);
        });
        if (!created) Fail(FErrors.Message);
        if (FPng.Png) FPng.Info = png_create_info_struct(FPng.Png);
        if (!FPng.Info) Fail("out of memory");
        png_set_read_fn(FPng.Png, this, ReadBytes);
        // libpng's own size checks go as far as the pixel limit and a big bitmap's widest row,
        // and no further (its default of a million pixels across would refuse pictures we write).
        const int64_t side = std::min<int64_t>(MaxPicturePixels(), PNG_UINT_31_MAX);
        png_set_user_limits(FPng.Png, static_cast<png_uint_32>(std::min<int64_t>(side, kMaxWidth24Bit)),
                            static_cast<png_uint_32>(side));
        png_set_chunk_malloc_max(FPng.Png, kChunkMemoryLimit);
        // Texts are never shown, and inflating hundreds of compressed ones takes seconds: they
        // are passed over unread.
        static constexpr png_byte kTexts[] = "tEXt\0zTXt\0iTXt";
        png_set_keep_unknown_chunks(FPng.Png, PNG_HANDLE_CHUNK_NEVER, kTexts, 3);
    }
    TPngReader(const TPngReader&) = delete;
    TPngReader& operator=(const TPngReader&) = delete;

    // Reads the chunks up to the picture data.
    void ReadHeader()
    {
        FReadingChunks = true;
        Call([this] { png_read_info(FPng.Png, FPng.Info); });
        FReadingChunks = false;
        FWidth = png_get_image_width(FPng.Png, FPng.Info);
        FHeight = png_get_image_height(FPng.Png, FPng.Info);
        FInterlaced = png_get_interlace_type(FPng.Png, FPng.Info) == PNG_INTERLACE_ADAM7;
    }

    uint32_t Width() const { return FWidth; }
    uint32_t Height() const { return FHeight; }

    // The sRGB chunk says sRGB; otherwise an iCCP chunk gives the profile (libpng has already
    // passed over one that does not fit the colour type).
    TColorProfile Profile() const
    {
        if (png_get_valid(FPng.Png, FPng.Info, PNG_INFO_sRGB)) return {};
        png_charp name = nullptr;
        int compression = 0;
        png_bytep profile = nullptr;
        png_uint_32 length = 0;
        if (png_get_iCCP(FPng.Png, FPng.Info, &name, &compression, &profile, &length) != PNG_INFO_iCCP) return {};
        return TColorProfile::FromICC({profile, length});
    }

    void ReadPixels(TPictureRows& rows)
    {
        AskForBgr();
        std::vector<uint8_t> line(png_get_rowbytes(FPng.Png, FPng.Info));
        // The passes of an interlaced picture come one after the other; libpng skips the empty
        // ones of small pictures, and so must we.
        const int passes = FInterlaced ? 7 : 1;
        for (int pass = 0; pass < passes; ++pass) {
            const TPass where = FInterlaced ? AdamPass(pass, FWidth, FHeight)
                                            : TPass{0, 1, FWidth, 0, 1, FHeight};
            if (where.Columns == 0 || where.Rows == 0) continue;
            for (uint32_t j = 0; j < where.Rows; ++j) {
                Call([&] { png_read_row(FPng.Png, line.data(), nullptr); });
                PutRow(line.data(), where, rows.Row(static_cast<int32_t>(where.Top + j * where.RowStep)));
            }
        }
    }

private:
    template <typename F>
    void Call(const F& call)
    {
        if (!PngCall(FErrors, call)) Fail(FErrors.Message);
    }

    static png_voidp Allocate(png_structp png, png_alloc_size_t size)
    {
        const auto* reader = static_cast<const TPngReader*>(png_get_mem_ptr(png));
        if (reader->FReadingChunks && size > kChunkMemoryLimit) return nullptr;
        return std::malloc(size);
    }
    static void Release(png_structp, png_voidp block) { std::free(block); }

    static void ReadBytes(png_structp png, png_bytep out, size_t count)
    {
        auto& reader = *static_cast<TPngReader*>(png_get_io_ptr(png));
        if (count > reader.FBytes.size() - reader.FPosition) png_error(png, "file is truncated");
        if (count > 0) std::memcpy(out, reader.FBytes.data() + reader.FPosition, count);
        reader.FPosition += count;
    }

    // Every picture comes out as 8-bit blue, green, red, plus alpha when it has any.
    void AskForBgr()
    {
        Call([this] {
            const png_byte colourType = png_get_color_type(FPng.Png, FPng.Info);
            const png_byte depth = png_get_bit_depth(FPng.Png, FPng.Info);
            if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(FPng.Png);
            if (colourType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(FPng.Png);
            if (png_get_valid(FPng.Png, FPng.Info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(FPng.Png);
            if (depth == 16) png_set_scale_16(FPng.Png);
            if (!(colourType & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(FPng.Png);
            png_set_bgr(FPng.Png);
            png_read_update_info(FPng.Png, FPng.Info);
        });
        FChannels = png_get_channels(FPng.Png, FPng.Info);
        if ((FChannels != 3 && FChannels != 4) || png_get_rowbytes(FPng.Png, FPng.Info) != size_t{FWidth} * FChannels)
            Fail("unsupported pixel layout");
    }

    void PutRow(const uint8_t* from, const TPass& where, uint8_t* row) const
    {
        if (FChannels == 3 && where.ColumnStep == 1) {
            std::memcpy(row, from, size_t{where.Columns} * 3);
            return;
        }
        for (uint32_t i = 0; i < where.Columns; ++i, from += FChannels) {
            uint8_t* to = row + size_t{where.Left + i * where.ColumnStep} * 3;
            if (FChannels == 3) {
                std::memcpy(to, from, 3);
            } else {
                for (int k = 0; k < 3; ++k) to[k] = OverWhite(from[k], from[3]);
            }
        }
    }

    TPngErrors FErrors;
    std::span<const uint8_t> FBytes;
    size_t FPosition = 0;
    // Released after the reader's other members, and also when the constructor fails.
    struct THandles {
        png_structp Png = nullptr;
        png_infop Info = nullptr;
        ~THandles() { png_destroy_read_struct(&Png, &Info, nullptr); }
    } FPng;
    uint32_t FWidth = 0;
    uint32_t FHeight = 0;
    bool FReadingChunks = false;
    bool FInterlaced = false;
    int FChannels = 3;
};

}  // namespace

TCompressedGraphic::THeader TPNGImage::ReadHeader(std::span<const uint8_t> bytes) const
{
    TPngReader reader(bytes);
    reader.ReadHeader();
    CheckPictureSize("PNG", reader.Width(), reader.Height());
    return {static_cast<int32_t>(reader.Width()), static_cast<int32_t>(reader.Height()), reader.Profile()};
}

void TPNGImage::Decode(std::span<const uint8_t> bytes, TPictureRows& rows) const
{
    TPngReader reader(bytes);
    reader.ReadHeader();
    reader.ReadPixels(rows);
}

}  // namespace quilmo

// The JPEG XL plug-in refuses, from what a file's headers declare, what would take more memory
// than the pixel limit allows: a picture above it, more channels than samples allowed, a layer
// larger than the picture.

#include <gtest/gtest.h>
#include <jxl/encode.h>

#include "plugins/jxl/jxl_reader.h"
#include "sample_pictures.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

// The bits of a JPEG XL codestream, the lowest of each byte first.
class TBitWriter {
public:
    void Put(uint32_t value, int bits)
    {
        for (int i = 0; i < bits; ++i, ++FBits) {
            if (FBits % 8 == 0) FBytes.push_back(0);
            FBytes.back() |= static_cast<uint8_t>(((value >> i) & 1) << (FBits % 8));
        }
    }
    TBytes Bytes() const { return FBytes; }

private:
    TBytes FBytes = {0xFF, 0x0A};  // the codestream's signature
    size_t FBits = 16;
};

// A codestream that ends after its headers: a size of width x height (each 8193 to 2^30) and,
// with extra channels, that many alpha channels besides the colours.
TBytes JxlHeaders(uint32_t width, uint32_t height, uint32_t extraChannels)
{
    TBitWriter bits;
    bits.Put(0, 1);  // not a small size
    bits.Put(3, 2);  // the height in 30 bits
    bits.Put(height - 1, 30);
    bits.Put(0, 3);  // the width given too
    bits.Put(3, 2);
    bits.Put(width - 1, 30);
    if (extraChannels == 0) {
        bits.Put(1, 1);  // all other metadata as by default
    } else {
        bits.Put(0, 5);  // not by default, no extra fields, whole samples of 8 bits
        bits.Put(1, 1);  // 16-bit buffers do
        bits.Put(3, 2);  // the number of extra channels in 12 bits
        bits.Put(extraChannels - 1, 12);
        for (uint32_t i = 0; i < extraChannels; ++i) bits.Put(1, 1);  // an alpha channel, as by default
        bits.Put(0b0011, 4);  // XYB, colours as by default, no extensions
        bits.Put(1, 1);       // transforms as by default
    }
    TBytes bytes = bits.Bytes();
    bytes.resize(bytes.size() + 16);
    return bytes;
}

// An 8 x 8 picture composed of a layer of the given size, then the picture itself on top.
TBytes PictureOverALayer(uint32_t width, uint32_t height)
{
    JxlEncoder* encoder = JxlEncoderCreate(nullptr);
    JxlBasicInfo info;
    JxlEncoderInitBasicInfo(&info);
    info.xsize = info.ysize = 8;
    info.bits_per_sample = 8;
    info.uses_original_profile = JXL_TRUE;
    EXPECT_EQ(JxlEncoderSetBasicInfo(encoder, &info), JXL_ENC_SUCCESS);
    JxlColorEncoding colour;
    JxlColorEncodingSetToSRGB(&colour, JXL_FALSE);
    JxlEncoderSetColorEncoding(encoder, &colour);
    const JxlPixelFormat format{3, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
    for (const auto& [layerWidth, layerHeight] : {std::pair{width, height}, std::pair{8u, 8u}}) {
        JxlEncoderFrameSettings* settings = JxlEncoderFrameSettingsCreate(encoder, nullptr);
        JxlEncoderSetFrameLossless(settings, JXL_TRUE);
        JxlFrameHeader header;
        JxlEncoderInitFrameHeader(&header);
        header.layer_info.have_crop = JXL_TRUE;
        header.layer_info.xsize = layerWidth;
        header.layer_info.ysize = layerHeight;
        EXPECT_EQ(JxlEncoderSetFrameHeader(settings, &header), JXL_ENC_SUCCESS);
        const TBytes pixels(size_t{3} * layerWidth * layerHeight, 0x80);
        EXPECT_EQ(JxlEncoderAddImageFrame(settings, &format, pixels.data(), pixels.size()), JXL_ENC_SUCCESS);
    }
    JxlEncoderCloseInput(encoder);
    TBytes bytes(1 << 16);
    uint8_t* next = bytes.data();
    size_t room = bytes.size();
    EXPECT_EQ(JxlEncoderProcessOutput(encoder, &next, &room), JXL_ENC_SUCCESS);
    bytes.resize(next - bytes.data());
    JxlEncoderDestroy(encoder);
    return bytes;
}

}  // namespace

TEST(JxlLimits, APictureOrItsChannelsAboveTheLimitAreRefusedFromTheHeaders)
{
    ExpectRefusedEarly(spi::DecodeJxl, JxlHeaders(1 << 30, 1 << 30, 0));
    // 8192 x 8192 is within the limit; in 4099 channels it is not.
    ExpectRefusedEarly(spi::DecodeJxl, JxlHeaders(8192, 8192, 4096));
    spi::TDibBlocks blocks;
    const TBytes fewChannels = JxlHeaders(8192, 8192, 1);
    EXPECT_EQ(spi::DecodeJxl(fewChannels.data(), fewChannels.size(), blocks), spi::kBrokenData);  // no frame
}

TEST(JxlLimits, ALayerLargerThanTheLimitIsRefused)
{
    const TBytes file = PictureOverALayer(100, 100);
    spi::TDibBlocks blocks;
    EXPECT_EQ(spi::DecodeJxl(file.data(), file.size(), blocks), 0);
    const TPluginPixelLimit limit(100 * 100 - 1);
    EXPECT_EQ(spi::DecodeJxl(file.data(), file.size(), blocks), spi::kOutOfMemory);
}

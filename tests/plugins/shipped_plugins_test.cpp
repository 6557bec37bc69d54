// The format plug-ins that ship with Quilmo, as the host loads them: what they announce, each
// reading its format by extension, and the host's pixel limit reaching them.

#include <gtest/gtest.h>

#include "bigbitmap/pixel_limit.h"
#include "format_encoders.h"
#include "input/graphic_registry.h"
#include "input/susie_errors.h"
#include "input/susie_plugins.h"
#include "plugin_folder.h"

using namespace quilmo;
using namespace quilmo::test;

namespace {

struct TShippedFormat {
    std::string Plugin;
    std::string FileName;  // extensions in any case
    TBytes File;
    int Tolerance = 0;  // HEIC is lossy
};

constexpr int32_t kWidth = 64, kHeight = 48;

std::vector<TShippedFormat> ShippedFormats(const TSamplePicture& picture)
{
    return {{"ifheif.spi", "phone.HEIC", EncodeHeif(picture), 16},
            {"ifwebp.spi", "web.WebP", EncodeWebpLossless(picture)},
            {"iftiff.spi", "scan.tiff", EncodeTiff(picture)},
            {"ifjxl.spi", "new.jxl", EncodeJxl(picture)}};
}

}  // namespace

TEST(ShippedPlugins, AnnounceEveryExtensionInFull)
{
    TPluginFolder folder({"ifheif.spi", "ifjxl.spi", "iftiff.spi", "ifwebp.spi"});
    ASSERT_TRUE(LoadSusiePlugins(folder.Path(), false));
    std::vector<std::string> extensions;
    for (int i = 0; i < SusiePlugins.Count(); ++i) extensions.push_back(FieldText(SusiePlugins.Get(i).Extension));
    EXPECT_EQ(extensions, (std::vector<std::string>{".heic", ".heif", ".avif", ".hif", ".jxl", ".tif", ".tiff", ".webp"}));
}

TEST(ShippedPlugins, ReadTheirFormatsThroughTheHostWithinItsLimit)
{
    const TSamplePicture picture = MakeSamplePicture(kWidth, kHeight, 3);
    for (const TShippedFormat& format : ShippedFormats(picture)) {
        SCOPED_TRACE(format.FileName);
        TPluginFolder folder({format.Plugin});
        ASSERT_TRUE(LoadSusiePlugins(folder.Path(), false));
        const std::filesystem::path path = folder.WriteFile(format.FileName, format.File);
        const std::unique_ptr<TGraphic> graphic = LoadGraphicFile(path);
        ASSERT_EQ(TakeSusieError(), 0);
        ExpectColours(dynamic_cast<TBitmap&>(*graphic), kWidth, ExpectedColours(picture), format.Tolerance);

        // The plug-in learns the host's limit and refuses the picture from its header.
        SetMaxPicturePixels(kWidth * kHeight - 1);
        LoadGraphicFile(path);
        EXPECT_EQ(TakeSusieError(), 4);
        SetMaxPicturePixels(kDefaultMaxPicturePixels);
    }
}

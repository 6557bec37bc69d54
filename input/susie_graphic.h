#pragma once
// tsusiegraphic: a standard bitmap decoded by an import plug-in. It is registered in the graphic
// registry for every extension a loaded plug-in announces.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "bigbitmap/bitmap.h"
#include "color_tagged.h"

namespace quilmo {

class tsusiegraphic : public TBitmap, public TColorTagged {
public:
    const char* ClassName() const override { return "tsusiegraphic"; }

    // The format the plug-in delivered the picture in.
    TPixelFormat PicFormat() const { return FPicFormat; }
    // The palette of a 4- or 8-bit picture (16 or 256 colours); empty for other depths.
    const TPalette& GetPalette() const { return FPicPalette; }
    // The profile the plug-in embedded in its info block (a V5 header); sRGB without one.
    const TColorProfile& Profile() const override { return FProfile; }

    void Assign(TGraphic* source) override;
    // A standard or big bitmap receives the picture through its BMP form; any other
    // destination is left as it is.
    void AssignTo(TGraphic& dest) override;
    // Decode the file with the first loaded plug-in that accepts it. Never raises: the outcome
    // is the plug-in error code (TakeSusieError), and on failure the graphic is unchanged.
    void LoadFromFile(const std::filesystem::path& path) override;

protected:
    std::unique_ptr<TGraphic> NewEmpty() const override { return std::make_unique<tsusiegraphic>(); }

private:
    int32_t Decode(const std::filesystem::path& path);

    TPixelFormat FPicFormat = pf24bit;
    TPalette FPicPalette;
    TColorProfile FProfile;
};

// Register tsusiegraphic for extension (".pic"); description names the plug-in ("pic").
void RegisterSusieGraphic(const std::string& extension, const std::string& description);
// Remove tsusiegraphic from the registry for all extensions at once.
void UnregisterSusieGraphic();

}  // namespace quilmo

#pragma once
// The abstract picture every graphic class derives from.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

#include "geometry.h"

namespace quilmo {

class TCanvas;
class TStream;

class TGraphic {
public:
    TGraphic() = default;
    virtual ~TGraphic() = default;
    TGraphic(const TGraphic&) = delete;
    TGraphic& operator=(const TGraphic&) = delete;

    virtual const char* ClassName() const = 0;
    virtual int32_t GetWidth() const = 0;
    virtual int32_t GetHeight() const = 0;
    virtual bool GetEmpty() const { return GetWidth() == 0 || GetHeight() == 0; }

    // Become a copy of source; no source empties the graphic. Unless a class knows the source,
    // the source is asked to assign itself here (AssignTo).
    virtual void Assign(TGraphic* source);
    // Make dest a copy of this graphic. Fails with EConvertError unless overridden.
    virtual void AssignTo(TGraphic& dest);
    // A new graphic of the same class holding an independent copy of this one.
    virtual std::unique_ptr<TGraphic> Clone();

    // Render into rect of canvas, scaled to fit it.
    virtual void Draw(TCanvas& canvas, const TRect& rect) = 0;

    virtual void LoadFromStream(TStream& stream) = 0;
    virtual void SaveToStream(TStream& stream) = 0;
    virtual void LoadFromFile(const std::filesystem::path& path);
    // Written atomically: a failed save leaves no partial file.
    virtual void SaveToFile(const std::filesystem::path& path);

    bool Modified() const { return FModified; }
    void SetModified(bool value);
    bool PaletteModified() const { return FPaletteModified; }
    void SetPaletteModified(bool value) { FPaletteModified = value; }

    // Called whenever the graphic reports a change.
    std::function<void()> OnChange;

protected:
    // A new, empty graphic of the same class (for Clone).
    virtual std::unique_ptr<TGraphic> NewEmpty() const = 0;
    void Changed();

private:
    bool FModified = false;
    bool FPaletteModified = false;
};

}  // namespace quilmo

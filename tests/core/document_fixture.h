#pragma once
// A document with a recording host, and solid-colour pictures to fill its slots with.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/picture_helpers.h"
#include "core/slot_document.h"
#include "core/recording_host.h"
#include "support/picture_checks.h"

namespace quilmo::test {

inline constexpr TColor kRed = RGBColor(200, 0, 0);
inline constexpr TColor kGreen = RGBColor(0, 200, 0);
inline constexpr TColor kBlue = RGBColor(0, 0, 200);
inline constexpr TColor kGrey = RGBColor(90, 90, 90);
inline constexpr TColor kFill = RGBColor(10, 20, 30);

struct TSolid {
    int32_t Width;
    int32_t Height;
    TColor Colour;
    std::string Name;
};

inline std::unique_ptr<TBigBitmap> SolidPicture(int32_t width, int32_t height, TColor colour)
{
    auto picture = std::make_unique<TBigBitmap>();
    SetupBigBitmap(*picture, width, height, colour);
    return picture;
}

class DocumentTest : public ::testing::Test {
protected:
    TRecordingHost Host;
    TSlotDocument Document{Host};

    // Loads the pictures as the open command would, then forgets the calls that made.
    void Load(const std::vector<TSolid>& solids)
    {
        Document.LoadPictures([&](int32_t, int32_t room) {
            std::vector<TNamedPicture> pictures;
            for (const TSolid& s : solids)
                if (static_cast<int32_t>(pictures.size()) < room)
                    pictures.push_back({SolidPicture(s.Width, s.Height, s.Colour), s.Name, {}});
            return pictures;
        });
        Host.Calls.clear();
    }

    TColor JoinedAt(int32_t x, int32_t y) { return ColourAt(Document.Joined(), x, y); }
    TSize JoinedSize() { return {Document.Joined().GetWidth(), Document.Joined().GetHeight()}; }

    std::vector<std::string> SlotNames() const
    {
        std::vector<std::string> names;
        for (int32_t i = 0; i < kSlotCount; ++i) names.push_back(Document.SlotName(i));
        return names;
    }
    // The colour of each filled slot's picture, read at its top-left pixel.
    std::vector<TColor> SlotColours()
    {
        std::vector<TColor> colours;
        for (int32_t i = 0; i < kSlotCount; ++i) {
            auto* picture = dynamic_cast<const TBigBitmap*>(Document.Slot(i));
            if (picture) colours.push_back(ColourAt(const_cast<TBigBitmap&>(*picture), 0, 0));
        }
        return colours;
    }
    void ClickAt(int32_t x, int32_t y) { Document.FClickPoint = {x, y}; }
};

}  // namespace quilmo::test

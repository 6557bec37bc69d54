#pragma once
// Pictures that know the colours of their numbers, as their files describe them.

#include "bigbitmap/graphic.h"
#include "color/color_profile.h"

namespace quilmo {

class TColorTagged {
public:
    virtual ~TColorTagged() = default;
    virtual const TColorProfile& Profile() const = 0;
};

// The profile of a picture read from a file; sRGB for pictures that carry none.
TColorProfile ProfileOf(const TGraphic& picture);

}  // namespace quilmo

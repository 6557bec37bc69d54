#include "color_tagged.h"

namespace quilmo {

TColorProfile ProfileOf(const TGraphic& picture)
{
    if (const auto* tagged = dynamic_cast<const TColorTagged*>(&picture)) return tagged->Profile();
    return {};
}

}  // namespace quilmo

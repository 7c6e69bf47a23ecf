#pragma once

#include "base/Result.h"

namespace morvane {

enum class PageOrientation { Portrait, Landscape };

struct Extent {
    double width = 0;
    double height = 0;
};

// Portrait exactly when the picture is at least as high as it is wide.
PageOrientation orientationFor(Extent picture);

// The size to draw the picture at, from the top-left corner of the printable
// area: as large as fits with the picture's proportions kept, so it touches
// two opposite edges. Both extents in the same unit. An empty picture or
// printable area is refused with the reason.
Result<Extent> fitToPage(Extent picture, Extent printable);

}  // namespace morvane

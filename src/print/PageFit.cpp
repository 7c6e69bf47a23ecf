#include "PageFit.h"

namespace morvane {
namespace {

bool isEmpty(Extent extent) { return !(extent.width > 0) || !(extent.height > 0); }

}  // namespace

PageOrientation orientationFor(Extent picture)
{
    return picture.height >= picture.width ? PageOrientation::Portrait : PageOrientation::Landscape;
}

Result<Extent> fitToPage(Extent picture, Extent printable)
{
    if (isEmpty(picture)) return Result<Extent>::failure("the picture of the kit sheet is empty");
    if (isEmpty(printable)) return Result<Extent>::failure("the page has no printable area");

    const double pictureRatio = picture.width / picture.height;
    const double pageRatio = printable.width / printable.height;
    if (pictureRatio >= pageRatio) return Extent{printable.width, printable.width / pictureRatio};
    return Extent{printable.height * pictureRatio, printable.height};
}

}  // namespace morvane

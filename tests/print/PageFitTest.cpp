#include "print/PageFit.h"

#include <gtest/gtest.h>

using namespace morvane;

namespace {

constexpr Extent KitSheet{747, 310};
// Printable areas in hundredths of a millimetre, turned landscape.
constexpr Extent A4Landscape{29700, 21000};
constexpr Extent LetterLandscape{27940, 21590};

}  // namespace

TEST(PageFit, PictureFillsThePrintableWidthOrHeightWhicheverComesFirstKeepingItsRatio)
{
    EXPECT_EQ(orientationFor(KitSheet), PageOrientation::Landscape);  // only wider than high
    EXPECT_EQ(orientationFor({100, 100}), PageOrientation::Portrait);
    struct Case {
        Extent picture, printable, drawn;
    };
    const Case cases[] = {
        {KitSheet, A4Landscape, {29700, 29700.0 * 310 / 747}},
        {KitSheet, LetterLandscape, {27940, 27940.0 * 310 / 747}},
        {{100, 100}, {21000, 29700}, {21000, 21000}},
        {KitSheet, {7470, 3100}, {7470, 3100}},
        {KitSheet, {10000, 1000}, {1000.0 * 747 / 310, 1000}},
    };
    for (const auto& c : cases) {
        const auto fit = fitToPage(c.picture, c.printable);
        ASSERT_TRUE(fit) << fit.error();
        EXPECT_DOUBLE_EQ(fit.value().width, c.drawn.width) << c.printable.width;
        EXPECT_DOUBLE_EQ(fit.value().height, c.drawn.height) << c.printable.width;
    }
}

TEST(PageFit, AZeroHeightIsRefusedWithItsReason)
{
    const auto noPicture = fitToPage({747, 0}, A4Landscape);
    ASSERT_FALSE(noPicture);
    EXPECT_EQ(noPicture.error(), "the picture of the kit sheet is empty");

    const auto noPage = fitToPage(KitSheet, {29700, 0});
    ASSERT_FALSE(noPage);
    EXPECT_EQ(noPage.error(), "the page has no printable area");
}

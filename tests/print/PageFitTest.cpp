#include "print/PageFit.h"

#include <gtest/gtest.h>

using namespace morvane;

namespace {

constexpr Extent KitSheet{747, 310};
// Printable areas in hundredths of a millimetre, turned landscape.
constexpr Extent A4Landscape{29700, 21000};
constexpr Extent LetterLandscape{27940, 21590};

Extent fitted(Extent picture, Extent printable)
{
    const auto fit = fitToPage(picture, printable);
    EXPECT_TRUE(fit) << (fit ? "" : fit.error());
    return fit ? fit.value() : Extent{};
}

}  // namespace

TEST(PageFit, OnlyAPictureWiderThanHighIsPrintedLandscape)
{
    EXPECT_EQ(orientationFor(KitSheet), PageOrientation::Landscape);
    EXPECT_EQ(orientationFor({100, 100}), PageOrientation::Portrait);
    EXPECT_EQ(orientationFor({310, 747}), PageOrientation::Portrait);
}

TEST(PageFit, TheKitSheetFillsThePrintableWidthOfA4AndLetter)
{
    for (const Extent page : {A4Landscape, LetterLandscape}) {
        const Extent drawn = fitted(KitSheet, page);
        EXPECT_DOUBLE_EQ(drawn.width, page.width);
        EXPECT_DOUBLE_EQ(drawn.height, page.width * 310 / 747);
        EXPECT_LT(drawn.height, page.height);
    }
}

TEST(PageFit, ASquarePictureFillsTheWidthOfAPortraitPage)
{
    const Extent drawn = fitted({100, 100}, {21000, 29700});
    EXPECT_DOUBLE_EQ(drawn.width, 21000);
    EXPECT_DOUBLE_EQ(drawn.height, 21000);
}

TEST(PageFit, EqualRatiosFillTheWholePrintableArea)
{
    const Extent drawn = fitted({747, 310}, {7470, 3100});
    EXPECT_DOUBLE_EQ(drawn.width, 7470);
    EXPECT_DOUBLE_EQ(drawn.height, 3100);
}

TEST(PageFit, APictureWiderThanThePageRatioIsLimitedByTheHeight)
{
    const Extent drawn = fitted(KitSheet, {10000, 1000});
    EXPECT_DOUBLE_EQ(drawn.height, 1000);
    EXPECT_DOUBLE_EQ(drawn.width, 1000.0 * 747 / 310);
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

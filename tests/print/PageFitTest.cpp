#include "print/PageFit.h"

#include <gtest/gtest.h>

using namespace morvane;

TEST(PageFit, PictureFillsThePrintableWidthOrHeightWhicheverComesFirstKeepingItsRatio)
{
    EXPECT_EQ(orientationFor({747, 310}), PageOrientation::Landscape);  // only wider than high
    EXPECT_EQ(orientationFor({100, 100}), PageOrientation::Portrait);
    // Printable areas in hundredths of a millimetre: A4 turned landscape, then odd ones.
    const struct {
        Extent picture, printable, drawn;
        const char* refusal;
    } cases[] = {
        {{747, 310}, {29700, 21000}, {29700, 29700.0 * 310 / 747}, nullptr},
        {{100, 100}, {21000, 29700}, {21000, 21000}, nullptr},
        {{747, 310}, {7470, 3100}, {7470, 3100}, nullptr},
        {{747, 310}, {10000, 1000}, {1000.0 * 747 / 310, 1000}, nullptr},
        {{747, 0}, {29700, 21000}, {}, "the picture of the kit sheet is empty"},
        {{747, 310}, {29700, 0}, {}, "the page has no printable area"},
    };
    for (const auto& c : cases) {
        const auto fit = fitToPage(c.picture, c.printable);
        if (c.refusal) {
            EXPECT_EQ(fit ? std::string() : fit.error(), c.refusal);
            continue;
        }
        ASSERT_TRUE(fit) << fit.error();
        EXPECT_DOUBLE_EQ(fit.value().width, c.drawn.width) << c.printable.width;
        EXPECT_DOUBLE_EQ(fit.value().height, c.drawn.height) << c.printable.width;
    }
}

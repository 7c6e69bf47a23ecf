#include "editor/Compensation.h"

#include <gtest/gtest.h>

using namespace morvane;

TEST(Compensation, At120DpiDesignValuesAreDividedByOneAndAQuarter)
{
    const Compensation c(120);
    EXPECT_DOUBLE_EQ(c.DpiScale(), 1.25);
    const auto p = placePad(padDesigns()[0], c);
    EXPECT_DOUBLE_EQ(p.noteLeft, 2928);
    EXPECT_DOUBLE_EQ(p.noteTop, 2400);
    EXPECT_DOUBLE_EQ(p.channelLeft, 3376);
    EXPECT_DOUBLE_EQ(p.channelTop, 2436);
    EXPECT_DOUBLE_EQ(p.noteMarkerTop, 2420);  // the 20 twips are not divided
    EXPECT_DOUBLE_EQ(c.fontPoints(12), 9.6);

    // Only above 96 dpi the window gains 300 twips of height first.
    const auto at120 = Compensation(120).windowOuterSize(11190, 4860);
    EXPECT_DOUBLE_EQ(at120.width, 11190 / 1.25);
    EXPECT_DOUBLE_EQ(at120.height, (4860 + 300) / 1.25);
    const auto at96 = Compensation(96).windowOuterSize(11190, 4860);
    EXPECT_DOUBLE_EQ(at96.width, 11190);
    EXPECT_DOUBLE_EQ(at96.height, 4860);
}

TEST(Compensation, CompensatedPartsLandOnTheSamePixelsOverTheFaceAtAnyResolution)
{
    for (int dpi : {96, 120, 144, 192}) {
        const Compensation c(dpi);
        for (const auto& pad : padDesigns()) {
            const auto p = placePad(pad, c);
            EXPECT_EQ(c.toPixels(p.noteLeft), c.placed(pad.noteLeft)) << dpi;
            EXPECT_NEAR(c.toPixels(p.noteLeft), pad.noteLeft / 15.0, 0.5) << dpi;
            EXPECT_NEAR(c.toPixels(p.imageTop), pad.image.top / 15.0, 0.5) << dpi;
            EXPECT_NEAR(c.toPixels(p.channelLeft), (pad.noteLeft + 560) / 15.0, 0.5) << dpi;
        }
    }
}

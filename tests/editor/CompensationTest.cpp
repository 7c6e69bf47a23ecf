#include "editor/Compensation.h"

#include <gtest/gtest.h>

using namespace morvane;

// Where each part lands at 120 dpi is checked on the real window; here the rules behind it.
TEST(Compensation, PartsLandOnTheirDesignPixelsAtAnyResolutionAndOnlyAbove96DpiTheWindowGrows)
{
    for (int dpi : {96, 120, 144, 192}) {
        const Compensation c(dpi);
        for (const auto& pad : padDesigns()) {
            const auto p = placePad(pad, c);
            EXPECT_NEAR(c.toPixels(p.noteLeft), pad.noteLeft / 15.0, 0.5) << dpi;
            EXPECT_NEAR(c.toPixels(p.imageTop), pad.image.top / 15.0, 0.5) << dpi;
            EXPECT_NEAR(c.toPixels(p.channelLeft), (pad.noteLeft + 560) / 15.0, 0.5) << dpi;
        }
        const auto size = c.windowOuterSize(11190, 4860);
        EXPECT_DOUBLE_EQ(size.height * dpi / 96, dpi > 96 ? 4860 + 300 : 4860) << dpi;
    }
}

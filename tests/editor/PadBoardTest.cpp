#include "WindowFixture.h"

#include "editor/PadBoard.h"

using namespace morvane;
using namespace morvane::testing;

namespace {

class PadBoardTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        startWith(makeKitDump());
    }
    void hoverPad(int i) { moveOver(control(padName("PadImage", i))); }
    bool lit(int i) const { return shown(padName("PadLitImage", i)); }
    int litCount() const
    {
        int count = 0;
        for (int i = 0; i < PadCount; ++i) count += lit(i);
        return count;
    }
};

}  // namespace

TEST_F(PadBoardTest, HoveringAPadNamesItAndLightsItUnlessAnotherIsSelected)
{
    hoverPad(2);
    hoverPad(6);
    EXPECT_TRUE(lit(6));
    EXPECT_EQ(litCount(), 1);
    EXPECT_EQ(text(QStringLiteral("LEDLabel")), QStringLiteral("Pad 7"));

    moveOver(control(padName("PadTCHLabel", 23)));
    EXPECT_TRUE(lit(23));
    EXPECT_EQ(litCount(), 1);
    EXPECT_EQ(text(QStringLiteral("LEDLabel")), QStringLiteral("Pad 24"));
    const auto* led = control<QLabel>(QStringLiteral("LEDLabel"));
    EXPECT_LE(led->fontMetrics().horizontalAdvance(led->text()), led->width()) << "shown whole";

    moveOverBackground();
    EXPECT_EQ(litCount(), 0);
    EXPECT_EQ(text(QStringLiteral("LEDLabel")), QString());

    // While a value is selected only the selected pad stays lit.
    auto& board = window->padBoard();
    board.PadLitImage(4)->show();  // pad 5 selected, as pad editing shows it
    board.setSelectedPad(5);

    moveOver(control(padName("PadMNNLabel", 8)));
    EXPECT_EQ(text(QStringLiteral("LEDLabel")), QStringLiteral("Pad 9"));
    EXPECT_TRUE(lit(4));
    EXPECT_FALSE(lit(8));

    moveOverBackground();
    EXPECT_EQ(text(QStringLiteral("LEDLabel")), QString());
    EXPECT_TRUE(lit(4));
    EXPECT_EQ(litCount(), 1);
}

TEST_F(PadBoardTest, ControlsSitAtTheirDesignPixels)
{
    EXPECT_EQ(control(QStringLiteral("PadMNNLabel_0"))->geometry(), QRect(244, 200, 41, 25));
    EXPECT_EQ(control(QStringLiteral("PadTCHLabel_0"))->pos(), QPoint(281, 203));  // note left + 560 twips
    EXPECT_EQ(control(QStringLiteral("PadMNNSelImage_0"))->geometry(), QRect(244, 201, 37, 21));
    EXPECT_EQ(control(QStringLiteral("PadTCHSelImage_0"))->geometry(), QRect(281, 204, 25, 21));
    EXPECT_EQ(control(QStringLiteral("PadImage_0"))->geometry(), QRect(248, 176, 57, 65));
    EXPECT_EQ(control(QStringLiteral("PadLitImage_0"))->geometry(), QRect(234, 164, 76, 78));
    EXPECT_EQ(control(QStringLiteral("LEDLabel"))->geometry(), QRect(359, 66, 33, 17));
    EXPECT_EQ(control(QStringLiteral("PadTCHLabel_23"))->toolTip(),
              QStringLiteral("Click here to change the Transmit Channel for pad 24"));

    // Value labels and markers lie above the rest of the board.
    const auto siblings = window->face()->children();
    const auto indexOf = [&](const char* name) { return siblings.indexOf(control(QString::fromLatin1(name))); };
    EXPECT_GT(indexOf("PadMNNLabel_0"), indexOf("PadImage_23"));
    EXPECT_GT(indexOf("PadImage_0"), indexOf("PadLitImage_23"));
    EXPECT_GT(indexOf("PadTCHSelImage_23"), indexOf("PadTCHLabel_23"));
    for (int i = 0; i < PadCount; ++i) {
        EXPECT_FALSE(shown(padName("PadMNNSelImage", i)));
        EXPECT_FALSE(shown(padName("PadTCHSelImage", i)));
    }
}

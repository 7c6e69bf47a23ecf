#include "WindowFixture.h"

#include "editor/KitHeader.h"

using namespace morvane;
using namespace morvane::testing;

namespace {

KitDump kitNamed(const std::string& name)
{
    KitSpec spec;
    spec.name = name;
    return makeKitDump(spec);
}

}  // namespace

TEST_F(WindowTest, HeaderShowsEveryAmpersandOfTheKitNameLiterallyAndUnderlinesItUnderTheMouse)
{
    startWith(kitNamed("ROCK & ROLL "));
    auto* title = control<QLabel>(QStringLiteral("Print_KitTitleLabel"));
    // A label without a buddy shows its text as it is: no "&" is doubled or lost.
    EXPECT_EQ(title->text(), QStringLiteral("ROCK & ROLL "));
    EXPECT_EQ(title->buddy(), nullptr);

    ASSERT_TRUE(window->kit().Replace_System_Variables(QStringLiteral("R&&B"), 0, 0));
    EXPECT_EQ(title->text(), QStringLiteral("R&&B"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("VEXO Morvane Editor v1.03 - R&&B (rock1.syx)"));

    // The underline lights while the mouse is over the title.
    auto* line = control(QStringLiteral("Line1"));
    EXPECT_EQ(line->palette().color(QPalette::Window), QColor(Qt::black));
    moveOver(title);
    EXPECT_EQ(line->palette().color(QPalette::Window), QColor(Qt::white));
    moveOverBackground();
    EXPECT_EQ(line->palette().color(QPalette::Window), QColor(Qt::black));
}

TEST_F(WindowTest, EmptyNamePositionsReadAsBlanks)
{
    start();
    KitDump dump = makeKitDump();
    for (int c = 0; c < KitNameLength; ++c) dump[offsets::nameChar(c)] = dump[offsets::nameChar(c) + 1] = 0;
    ASSERT_TRUE(window->Interpret_Buffer(dump));
    EXPECT_EQ(text(QStringLiteral("Print_KitTitleLabel")), QString(KitNameLength, QLatin1Char(' ')));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("VEXO Morvane Editor v1.03 - ") +
                                         QString(KitNameLength, QLatin1Char(' ')) +
                                         QStringLiteral(" (file not saved)"));
}

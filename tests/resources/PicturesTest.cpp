// The pictures load from the linked resources at the sizes the window lays
// them out at, and line up with the board: each lit pad covers its pad, and
// every value label sits on a background dark enough for white digits.
#include "editor/DesignGeometry.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>
#include <QSvgRenderer>

#include <algorithm>

using namespace morvane;

namespace {

QRect inPixels(const TwipRect& twips)
{
    return {twips.left / TwipsPerPixelAt96, twips.top / TwipsPerPixelAt96, twips.width / TwipsPerPixelAt96,
            twips.height / TwipsPerPixelAt96};
}

QString litPicture(int padIndex)
{
    return QStringLiteral(":/pictures/pad-lit-%1.svg").arg(padIndex + 1, 2, 10, QLatin1Char('0'));
}

QImage rendered(const QString& path)
{
    QSvgRenderer renderer(path);
    EXPECT_TRUE(renderer.isValid()) << path.toStdString();
    QImage image(renderer.defaultSize(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

// Mean perceived brightness, 0 (black) to 1 (white).
double meanBrightness(const QImage& image, const QRect& area)
{
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) sum += qGray(image.pixel(x, y)) / 255.0;
    return sum / (area.width() * area.height());
}

TEST(Pictures, EachLitPadHasTheSizeOfItsPlaceAndGlowsOverTheMiddleOfItsPad)
{
    for (int i = 0; i < 24; ++i) {
        const QImage lit = rendered(litPicture(i));
        const QRect place = inPixels(padDesigns()[i].lit);
        EXPECT_EQ(lit.size(), place.size()) << "pad " << i + 1;
        const QPoint padMiddle = inPixels(padDesigns()[i].image).center() - place.topLeft();
        const QPoint inside(std::clamp(padMiddle.x(), 0, lit.width() - 1),
                            std::clamp(padMiddle.y(), 0, lit.height() - 1));
        EXPECT_EQ(qAlpha(lit.pixel(inside)), 255) << "pad " << i + 1;
        EXPECT_LT(qAlpha(lit.pixel(0, 0)), 255) << "pad " << i + 1 << " paints a hard corner";
    }
}

TEST(Pictures, NoteNumbersSitOnADarkBackgroundLitOrNot)
{
    const QImage face = rendered(":/pictures/face.svg");
    ASSERT_EQ(face.size(), QSize(750, 504));  // the board's size, which the labels are placed on
    for (int i = 0; i < 24; ++i) {
        // The digits of a 13.5 point label fill about 24 x 18 pixels from its left.
        const auto& pad = padDesigns()[i];
        const QRect digits = inPixels({pad.noteLeft, pad.noteTop, 360, 375}).adjusted(0, 3, 0, -3);
        EXPECT_LT(meanBrightness(face, digits), 0.3) << "pad " << i + 1;

        QImage litFace = face;
        QPainter painter(&litFace);
        painter.drawImage(inPixels(padDesigns()[i].lit).topLeft(), rendered(litPicture(i)));
        painter.end();
        EXPECT_LT(meanBrightness(litFace, digits), 0.5) << "lit pad " << i + 1;
    }
}

}  // namespace

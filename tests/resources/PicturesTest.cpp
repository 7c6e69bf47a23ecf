// The pictures load from the linked resources at the sizes the window lays
// them out at, and line up with the board: each lit pad covers its pad, and
// every value label sits on a background dark enough for white digits.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>
#include <QSvgRenderer>

#include <algorithm>
#include <array>

namespace {

constexpr int TwipsPerPixel = 15;

struct PadPlace {
    QRect pad;        // the pad's mouse target, in twips
    QRect lit;        // the lit picture's place and size, in twips
    QPoint noteLabel; // in twips
};

// The board's design geometry (left, top, width, height in twips).
const std::array<PadPlace, 24> Pads{{
    {{3720, 2640, 855, 975}, {3510, 2460, 1140, 1170}, {3660, 3000}},
    {{4680, 2520, 855, 1095}, {4485, 2460, 1125, 1170}, {4590, 3000}},
    {{5640, 2520, 975, 1095}, {5610, 2460, 1125, 1170}, {5640, 3000}},
    {{6720, 2640, 855, 975}, {6585, 2460, 1140, 1170}, {6720, 3000}},
    {{2160, 2760, 1335, 1095}, {2010, 2430, 1590, 1380}, {2280, 3120}},
    {{3000, 1680, 1335, 975}, {2550, 1425, 1935, 1680}, {3120, 2040}},
    {{4320, 1320, 1215, 1095}, {4125, 1215, 1485, 1245}, {4440, 1680}},
    {{5640, 1200, 1215, 1215}, {5625, 1215, 1485, 1245}, {5760, 1680}},
    {{7080, 1800, 1095, 855}, {6750, 1425, 1905, 1680}, {7200, 2040}},
    {{7800, 2760, 1215, 975}, {7635, 2415, 1590, 1380}, {7920, 3120}},
    {{3480, 3600, 975, 255}, {3495, 3645, 1050, 165}, {3240, 4065}},
    {{4560, 3600, 975, 255}, {4560, 3645, 1050, 165}, {4470, 4065}},
    {{5640, 3600, 975, 255}, {5625, 3645, 1050, 165}, {5700, 4065}},
    {{6720, 3600, 1095, 255}, {6675, 3645, 1050, 165}, {6945, 4065}},
    {{1800, 3120, 375, 855}, {1830, 3090, 285, 720}, {585, 3285}},
    {{1920, 2400, 255, 735}, {1965, 2460, 285, 705}, {735, 2580}},
    {{2160, 1680, 855, 615}, {2220, 1770, 945, 675}, {1320, 1725}},
    {{3240, 1200, 975, 495}, {3180, 1140, 945, 675}, {2190, 1155}},
    {{4200, 960, 975, 255}, {4170, 1035, 1005, 150}, {4035, 540}},
    {{6120, 960, 975, 255}, {6105, 1020, 1005, 150}, {6120, 540}},
    {{7200, 1200, 855, 495}, {7125, 1155, 945, 675}, {8085, 1155}},
    {{8160, 1800, 855, 735}, {8055, 1755, 945, 675}, {8910, 1725}},
    {{9000, 2400, 375, 735}, {8970, 2445, 285, 705}, {9450, 2580}},
    {{9120, 3120, 375, 735}, {9105, 3090, 285, 720}, {9615, 3285}},
}};

QRect inPixels(const QRect& twips)
{
    return {twips.x() / TwipsPerPixel, twips.y() / TwipsPerPixel, twips.width() / TwipsPerPixel,
            twips.height() / TwipsPerPixel};
}

QString litPicture(int padIndex)
{
    return QStringLiteral(":/pictures/pad-lit-%1.svg").arg(padIndex + 1, 2, 10, QLatin1Char('0'));
}

QSize pictureSize(const QString& path)
{
    QSvgRenderer renderer(path);
    EXPECT_TRUE(renderer.isValid()) << path.toStdString();
    return renderer.defaultSize();
}

QImage rendered(const QString& path)
{
    QSvgRenderer renderer(path);
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
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            sum += qGray(image.pixel(x, y)) / 255.0;
            ++count;
        }
    }
    return sum / count;
}

TEST(Pictures, LoadFromTheLinkedResourcesAtTheirDesignSizes)
{
    EXPECT_EQ(pictureSize(":/pictures/face.svg"), QSize(750, 504));
    EXPECT_EQ(pictureSize(":/pictures/marker-note.svg"), QSize(37, 21));
    EXPECT_EQ(pictureSize(":/pictures/marker-channel.svg"), QSize(25, 21));
    EXPECT_EQ(pictureSize(":/pictures/logo-off.svg"), QSize(149, 60));
    EXPECT_EQ(pictureSize(":/pictures/logo-on.svg"), QSize(149, 60));
    const QSize icon = pictureSize(":/pictures/icon.svg");
    EXPECT_EQ(icon.width(), icon.height());
}

TEST(Pictures, EachLitPadHasThePixelSizeOfItsPlace)
{
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(pictureSize(litPicture(i)), inPixels(Pads[i].lit).size()) << "pad " << i + 1;
}

TEST(Pictures, EachLitPadGlowsOverTheMiddleOfItsPad)
{
    for (int i = 0; i < 24; ++i) {
        const QImage lit = rendered(litPicture(i));
        const QRect place = inPixels(Pads[i].lit);
        const QPoint padMiddle = inPixels(Pads[i].pad).center() - place.topLeft();
        const QPoint inside(std::clamp(padMiddle.x(), 0, lit.width() - 1),
                            std::clamp(padMiddle.y(), 0, lit.height() - 1));
        EXPECT_EQ(qAlpha(lit.pixel(inside)), 255) << "pad " << i + 1;
        EXPECT_LT(qAlpha(lit.pixel(0, 0)), 255) << "pad " << i + 1 << " paints a hard corner";
    }
}

TEST(Pictures, NoteNumbersSitOnADarkBackgroundLitOrNot)
{
    const QImage face = rendered(":/pictures/face.svg");
    for (int i = 0; i < 24; ++i) {
        // The digits of a 13.5 point label fill about 24 x 18 pixels from its left.
        const QRect digits(inPixels({Pads[i].noteLabel, QSize(360, 375)}).adjusted(0, 3, 0, -3));
        EXPECT_LT(meanBrightness(face, digits), 0.3) << "pad " << i + 1;

        QImage litFace = face;
        QPainter painter(&litFace);
        painter.drawImage(inPixels(Pads[i].lit).topLeft(), rendered(litPicture(i)));
        painter.end();
        EXPECT_LT(meanBrightness(litFace, digits), 0.5) << "lit pad " << i + 1;
    }
}

}  // namespace

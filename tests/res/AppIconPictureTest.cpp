// The program's picture at every size the desktop asks for, the sheet file's
// variant with its folded corner, and the scalable version of both.
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include "res/AppIconPicture.h"

namespace {

struct Counts {
    int clear = 0, white = 0, red = 0, yellow = 0;
};

Counts Count(const QImage& image) {
    Counts n;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (qAlpha(c) == 0)
                ++n.clear;
            else if (c == 0xFFFFFFFF)
                ++n.white;
            else if (c == 0xFFFF0000)
                ++n.red;
            else if (c == 0xFFFFFF00)
                ++n.yellow;
        }
    return n;
}

class IconSize : public ::testing::TestWithParam<int> {};

TEST_P(IconSize, SheetTickHeaderAndMargin) {
    const int px = GetParam();
    const QImage image = DrawIconPicture(IconKind::Program, px);
    ASSERT_EQ(image.size(), QSize(px, px));
    const Counts n = Count(image);
    EXPECT_GT(n.white, px * px / 8);
    EXPECT_GT(n.red, px / 2);
    EXPECT_GT(n.yellow, px * px / 20);
    // One sixteenth of the size stays clear all round.
    for (int i = 0; i < px; ++i) {
        EXPECT_EQ(qAlpha(image.pixel(i, 0)), 0) << i;
        EXPECT_EQ(qAlpha(image.pixel(0, i)), 0) << i;
        EXPECT_EQ(qAlpha(image.pixel(px - 1, i)), 0) << i;
    }
    // The header row is yellow just inside the outline, at every size.
    const int u = px / 16;
    EXPECT_EQ(image.pixel(px / 2 + 1, u + u + u / 2 + 1) & 0xFFFFFF, 0xFFFF00u);
}

TEST_P(IconSize, SheetFileHasItsCornerFolded) {
    const int px = GetParam();
    const QImage program = DrawIconPicture(IconKind::Program, px);
    const QImage file = DrawIconPicture(IconKind::SheetFile, px);
    // The very corner of the sheet is gone, the rest of the picture stays.
    const QPoint corner(px * 14 / 16, px * 2 / 16 - 1);
    EXPECT_NE(qAlpha(program.pixel(corner)), 0);
    EXPECT_EQ(qAlpha(file.pixel(corner)), 0);
    EXPECT_EQ(program.pixel(px / 4, px * 3 / 4), file.pixel(px / 4, px * 3 / 4));
}

// Nothing of the sheet file's picture lies outside its page: the sheet less
// the folded corner (a pixel of smoothing allowed).
TEST_P(IconSize, SheetFileStaysInsideItsPage) {
    const int px = GetParam();
    const QImage file = DrawIconPicture(IconKind::SheetFile, px);
    const double unit = px / 16.0, tol = 1.0 / unit;
    for (int y = 0; y < px; ++y)
        for (int x = 0; x < px; ++x) {
            if (qAlpha(file.pixel(x, y)) == 0)
                continue;
            const double u = (x + 0.5) / unit, v = (y + 0.5) / unit;
            const bool inside =
                u > 1 - tol && u < 15 + tol && v > 1 - tol && v < 15 + tol && u - v < 9 + tol;
            ASSERT_TRUE(inside) << "pixel " << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Hicolor, IconSize, ::testing::Values(16, 24, 32, 48, 64, 128, 256),
                         [](const auto& info) { return "px" + std::to_string(info.param); });

class IconSvg : public ::testing::TestWithParam<IconKind> {};

TEST_P(IconSvg, WellFormedSquareWithTheSameColours) {
    const QString svg = IconPictureSvg(GetParam());
    QXmlStreamReader xml(svg);
    int rects = 0, strokes = 0;
    QString viewBox;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("svg"))
            viewBox = xml.attributes().value(QLatin1String("viewBox")).toString();
        if (xml.name() == QLatin1String("rect"))
            ++rects;
        if (xml.name() == QLatin1String("polyline"))
            ++strokes;
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(viewBox, QStringLiteral("0 0 16 16"));
    EXPECT_GE(rects, 8);
    EXPECT_EQ(strokes, 1); // the tick; the fold is drawn with fills
    for (const char* colour : {"#ffffff", "#ffff00", "#808080", "#000000", "#ff0000"})
        EXPECT_TRUE(svg.contains(QLatin1String(colour))) << colour;
}

INSTANTIATE_TEST_SUITE_P(Kinds, IconSvg, ::testing::Values(IconKind::Program, IconKind::SheetFile),
                         [](const auto& info) {
                             return info.param == IconKind::Program ? "Program" : "SheetFile";
                         });

} // namespace

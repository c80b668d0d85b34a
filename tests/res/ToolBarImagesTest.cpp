// The tool bar images and the program icon: sizes, colours, and that every
// button has a picture of its own.
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSet>
#include <gtest/gtest.h>

#include "res/ToolBarImages.h"

namespace {

// The platform's standard 16 colours.
const QRgb kStandard16[] = {0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080,
                            0xFF008080, 0xFFC0C0C0, 0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00,
                            0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};
constexpr QRgb kSilver = 0xFFC0C0C0;

bool IsStandard(QRgb c) {
    for (QRgb s : kStandard16) {
        if (c == s)
            return true;
    }
    return false;
}

QImage Cell(const QImage& strip, int i) {
    return strip.copy(i * 16, 0, 16, 15);
}

TEST(ToolBarImagesTest, StripHolds21ImagesOfStandardColoursOnSilver) {
    const QImage strip = ToolBarStrip();
    ASSERT_EQ(strip.size(), QSize(336, 15));
    for (int y = 0; y < strip.height(); ++y) {
        for (int x = 0; x < strip.width(); ++x) {
            const QRgb c = strip.pixel(x, y);
            ASSERT_TRUE(IsStandard(c)) << "pixel " << x << "," << y << " is " << std::hex << c;
        }
    }
}

TEST(ToolBarImagesTest, EveryImageIsDrawnAndUnlikeEveryOther) {
    const QImage strip = ToolBarStrip();
    QSet<QByteArray> seen;
    for (int i = 0; i < kToolBarImageCount; ++i) {
        const QImage cell = Cell(strip, i).convertToFormat(QImage::Format_RGB32);
        int drawn = 0;
        for (int y = 0; y < 15; ++y) {
            for (int x = 0; x < 16; ++x) {
                if (cell.pixel(x, y) != kSilver)
                    ++drawn;
            }
        }
        // A fair share of the cell, not a stray dot.
        EXPECT_GE(drawn, 20) << "image " << i;
        const QByteArray bytes(reinterpret_cast<const char*>(cell.constBits()),
                               static_cast<int>(cell.sizeInBytes()));
        EXPECT_FALSE(seen.contains(bytes)) << "image " << i << " repeats an earlier one";
        seen.insert(bytes);
    }
}

TEST(ToolBarImagesTest, MirroredPairsAreNotTheSamePicture) {
    // Undo/redo, row up/down and column left/right differ by direction; a
    // pair drawn alike would leave the user guessing.
    const QImage strip = ToolBarStrip();
    const std::pair<int, int> pairs[] = {{TBI_UNDO, TBI_REDO},
                                         {TBI_ROWUP, TBI_ROWDOWN},
                                         {TBI_COLUMNLEFT, TBI_COLUMNRIGHT},
                                         {TBI_ADDROW, TBI_ADDCOLUMN},
                                         {TBI_DELETEROW, TBI_DELETECOLUMN},
                                         {TBI_ROWLINK, TBI_COLUMNLINK}};
    for (auto [a, b] : pairs)
        EXPECT_NE(Cell(strip, a), Cell(strip, b)) << a << " vs " << b;
}

TEST(ToolBarImagesTest, IconsMatchTheStripWithTransparentBackground) {
    const QImage strip = ToolBarStrip();
    for (int i = 0; i < kToolBarImageCount; ++i) {
        const QIcon icon = ToolBarIcon(i);
        ASSERT_FALSE(icon.isNull()) << i;
        const QImage image =
            icon.pixmap(QSize(16, 15)).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), QSize(16, 15)) << i;
        const QImage cell = Cell(strip, i);
        for (int y = 0; y < 15; ++y) {
            for (int x = 0; x < 16; ++x) {
                const QRgb s = cell.pixel(x, y);
                const QRgb p = image.pixel(x, y);
                if (s == kSilver)
                    ASSERT_EQ(qAlpha(p), 0) << i << " at " << x << "," << y;
                else
                    ASSERT_EQ(p, s) << i << " at " << x << "," << y;
            }
        }
    }
    EXPECT_TRUE(ToolBarIcon(-1).isNull());
    EXPECT_TRUE(ToolBarIcon(kToolBarImageCount).isNull());
}

TEST(ToolBarImagesTest, ProgramIconComesInBothSizesWithASheetAndATick) {
    const QIcon icon = AppIcon();
    const QList<QSize> sizes = icon.availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    for (int px : {16, 32}) {
        const QImage image =
            icon.pixmap(QSize(px, px)).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), QSize(px, px));
        int white = 0, red = 0, clear = 0;
        for (int y = 0; y < px; ++y) {
            for (int x = 0; x < px; ++x) {
                const QRgb c = image.pixel(x, y);
                if (qAlpha(c) == 0)
                    ++clear;
                else if (c == 0xFFFFFFFF)
                    ++white;
                else if (c == 0xFFFF0000)
                    ++red;
            }
        }
        EXPECT_GT(white, px * px / 8) << px; // the sheet
        EXPECT_GT(red, px / 2) << px;        // the tick
        EXPECT_GT(clear, 0) << px;           // a margin round the sheet
    }
}

} // namespace

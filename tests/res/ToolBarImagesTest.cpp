// The tool bar's icons stay sharp at every whole device pixel ratio, and the
// program icon comes in its sizes.
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

#include "res/CommandTable.h"
#include "res/ToolBarImages.h"

namespace {

// At ratios 2 and 3 the icon hands out its image with every pixel a whole
// block of the 16 x 15 picture: an enlargement that blends would put mixed
// colours across the outlines. At 1 it is the picture itself.
TEST(ToolBarImagesTest, IconsAreSharpAtEveryWholeRatio) {
    int buttons = 0;
    for (UINT id : ToolBarTable()) {
        if (id == ID_SEPARATOR)
            continue;
        ++buttons;
        const QImage base = ToolBarImage(id);
        ASSERT_EQ(base.size(), QSize(kToolBarImageWidth, kToolBarImageHeight)) << id;
        const QIcon icon = ToolBarIcon(id);
        for (int ratio = 1; ratio <= 3; ++ratio) {
            const QPixmap pixmap = icon.pixmap(QSize(16, 15), qreal(ratio));
            const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
            ASSERT_EQ(image.size(), QSize(16 * ratio, 15 * ratio)) << id << " at " << ratio;
            int mixed = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    mixed += image.pixel(x, y) != base.pixel(x / ratio, y / ratio);
            EXPECT_EQ(mixed, 0) << id << " at ratio " << ratio;
        }
    }
    EXPECT_EQ(buttons, 22);
    EXPECT_TRUE(ToolBarIcon(ID_SEPARATOR).isNull());
    EXPECT_TRUE(ToolBarImage(ID_LINE_EDIT).isNull()); // a command without a button
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

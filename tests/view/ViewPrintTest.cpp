// Printing goes through Qt's printer: a PDF file stands in for the paper.
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "ViewTestUtil.h"

namespace {

QByteArray PrintToPdf(ViewFixture& f, const QString& path, int dpi) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setResolution(dpi);
    EXPECT_TRUE(f.view->PrintTo(printer));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

TEST(ViewPrint, OnePageWhateverTheSheetsLength) {
    QTemporaryDir dir;
    ViewFixture f(200, 5, 480, 320, [](int r, int c) { return (r + c) % 3 == 0; });
    const QByteArray pdf = PrintToPdf(f, dir.filePath("out.pdf"), 600);
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page[^s]")), 1);
}

TEST(ViewPrint, KeepsTheScreenSizeOnAFinePrinter) {
    // Three times the screen's resolution: every line lands three times as far out.
    ViewFixture f(3, 2);
    const int dpi = f.view->logicalDpiX() * 3;
    QImage page(f.view->width() * 3, f.view->height() * 3, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        f.view->RenderPage(painter, dpi);
    }
    const int x = g_nLineNameWidthPx, y = f.Sheet().m_nColumnHeight;
    const int fx = f.Sheet().m_Columns.GetAt(0)->m_rect.right;
    EXPECT_EQ(PixelRef(page, 3 * x, 3 * (y + 10)), g_Display.WakuColor);
    EXPECT_EQ(PixelRef(page, 3 * (x + 10), 3 * y), g_Display.WakuColor);
    EXPECT_EQ(PixelRef(page, 3 * fx, 3 * (y + 10)), g_Display.WakuColor);
    // Lines keep their weight on paper: a screen pixel's worth of dots.
    EXPECT_EQ(PixelRef(page, 3 * x - 1, 3 * (y + 10)), g_Display.WakuColor);
    EXPECT_EQ(PixelRef(page, 3 * x + 1, 3 * (y + 10)), g_Display.WakuColor);
    EXPECT_NE(PixelRef(page, 3 * x + 3, 3 * (y + 10)), g_Display.WakuColor);
    EXPECT_NE(PixelRef(page, x, 3 * (y + 10)), g_Display.WakuColor);
}

} // namespace

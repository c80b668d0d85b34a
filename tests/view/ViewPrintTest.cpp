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

// The drawing operators of every zlib stream of the file, one after the other.
QByteArray PdfStreams(const QByteArray& pdf) {
    QByteArray out;
    qsizetype at = pdf.indexOf("stream");
    while (at >= 0) {
        qsizetype begin = at + 6;
        if (pdf.mid(begin, 2) == "\r\n")
            begin += 2;
        else if (pdf.mid(begin, 1) == "\n")
            begin += 1;
        const qsizetype end = pdf.indexOf("endstream", begin);
        if (end < 0)
            break;
        // qUncompress wants the size first and grows its buffer when that is short.
        QByteArray z = pdf.mid(begin, end - begin);
        if (z.startsWith('\x78')) {
            z.prepend(QByteArray("\x00\x01\x00\x00", 4));
            out += qUncompress(z);
        }
        at = pdf.indexOf("stream", end + 9);
    }
    return out;
}

TEST(ViewPrint, OnePageWhateverTheSheetsLength) {
    QTemporaryDir dir;
    ViewFixture f(200, 5, 480, 320, [](int r, int c) { return (r + c) % 3 == 0; });
    const QByteArray pdf = PrintToPdf(f, dir.filePath("out.pdf"), 600);
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page[^s]")), 1);
    // Not a blank page: the column names and the row names that fit are
    // written, and the grid and the check marks are stroked.
    const QByteArray ops = PdfStreams(pdf);
    EXPECT_GE(ops.count("BT"), 5 + 10) << "text objects";
    EXPECT_GE(ops.count(" l\n"), 100) << "line segments";
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

// Printing goes through Qt's printer: a PDF file stands in for the paper,
// read back as text with pdftotext. The print commands reach the printer
// only through the user-interface seam's dialogs.
#include <QDate>
#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "ViewTestUtil.h"
#include "fw/UserInterface.h"
#include "qt/QtUserInterface.h"
#include "res/CommandIds.h"
#include "ScriptedAnswers.h"

namespace {

int PdfPageCount(const QByteArray& pdf) {
    return int(QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

QByteArray PrintToPdf(ViewFixture& f, const QString& path, int dpi) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setResolution(dpi);
    EXPECT_TRUE(f.view->Printer().PrintTo(printer));
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

// The text of every page, as a reader of the file gets it, split in words.
std::vector<QStringList> PdfPageWords(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(30000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    std::vector<QStringList> pages;
    for (const QString& page : text.split(QChar('\f')))
        pages.push_back(page.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts));
    // The text ends with a page break, leaving an empty piece behind.
    if (!pages.empty() && pages.back().isEmpty())
        pages.pop_back();
    return pages;
}

struct PagesCase {
    const char* name;
    int rows, columns;
    int minPages; // at least this many; 1 means exactly one
};

class SheetPrinterPages : public ::testing::TestWithParam<PagesCase> {};

// On a small page every row name and column name is printed, each on its own
// band of pages, never twice on a page nor on a page of another band; the
// header and the footer are on every page.
TEST_P(SheetPrinterPages, EveryRowAndColumnOnItsPagesWithHeaderAndFooter) {
    const PagesCase& c = GetParam();
    QTemporaryDir dir;
    ViewFixture f(c.rows, c.columns, 480, 320, [](int r, int col) { return (r + col) % 3 == 0; });
    f.Sheet().m_strTitle = "PrintedSheet";
    const int top = f.Sheet().m_nTopLine;
    const CRect grid = f.Sheet().m_rcGrid;
    const QString path = dir.filePath("out.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setResolution(300);
    printer.setPageSize(QPageSize(QPageSize::A6));
    ASSERT_TRUE(f.view->Printer().PrintTo(printer));
    // Printing leaves the document's sheet as it was.
    EXPECT_EQ(f.Sheet().m_nTopLine, top);
    EXPECT_EQ(f.Sheet().m_rcGrid, grid);

    const std::vector<QStringList> pages = PdfPageWords(path);
    const int n = int(pages.size());
    ASSERT_TRUE(c.minPages == 1 ? n == 1 : n >= c.minPages) << n << " pages";
    std::vector<int> rowPages(std::size_t(c.rows), 0), columnPages(std::size_t(c.columns), 0);
    for (int i = 0; i < n; ++i) {
        const QStringList& words = pages[std::size_t(i)];
        int rowsHere = 0, columnsHere = 0;
        for (const QString& w : words) {
            bool ok = false;
            const int k = w.mid(1).toInt(&ok);
            if (!ok)
                continue;
            if (w.startsWith('r') && k < c.rows)
                ++rowPages[std::size_t(k)], ++rowsHere;
            if (w.startsWith('c') && k < c.columns)
                ++columnPages[std::size_t(k)], ++columnsHere;
        }
        EXPECT_TRUE(c.columns == 0 || columnsHere > 0) << "no header on page " << i + 1;
        EXPECT_TRUE(c.rows == 0 || rowsHere > 0) << "no row names on page " << i + 1;
        // "n / m"; the reader joins the narrow gaps of the numbers.
        const QString footer = QStringLiteral("%1/%2").arg(i + 1).arg(n);
        EXPECT_TRUE(words.join(QString()).contains(footer)) << footer.toStdString();
        EXPECT_TRUE(words.contains(QStringLiteral("PrintedSheet"))) << i + 1;
        EXPECT_TRUE(words.contains(QDate::currentDate().toString(Qt::ISODate))) << i + 1;
    }
    // A row is on one page of every band of columns, a column on one page of
    // every band of rows: pages across times pages down is the page count.
    const int across = c.rows > 0 ? rowPages[0] : n;
    const int down = c.columns > 0 ? columnPages[0] : 1;
    EXPECT_EQ(across * down, n);
    for (int r = 0; r < c.rows; ++r)
        EXPECT_EQ(rowPages[std::size_t(r)], across) << "row r" << r;
    for (int k = 0; k < c.columns; ++k)
        EXPECT_EQ(columnPages[std::size_t(k)], down) << "column c" << k;
}

INSTANTIATE_TEST_SUITE_P(Print, SheetPrinterPages,
                         ::testing::Values(PagesCase{"SmallSheetOnePage", 3, 2, 1},
                                           PagesCase{"LongSheet", 200, 3, 4},
                                           PagesCase{"WideSheet", 4, 40, 3},
                                           PagesCase{"LongAndWide", 120, 30, 6},
                                           PagesCase{"HeaderOnly", 0, 12, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SheetPrinter, PagesAreDrawnNotBlank) {
    QTemporaryDir dir;
    ViewFixture f(200, 5, 480, 320, [](int r, int c) { return (r + c) % 3 == 0; });
    f.Sheet().SetTopLine(3);
    const QImage before = f.Render();
    const QByteArray pdf = PrintToPdf(f, dir.filePath("out.pdf"), 600);
    // The window shows what it showed: the pages were laid out on their own.
    EXPECT_EQ(f.Sheet().m_nTopLine, 3);
    EXPECT_TRUE(f.Render() == before);
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_GT(PdfPageCount(pdf), 1);
    // Every row's name is written and the grid and check marks are stroked.
    const QByteArray ops = PdfStreams(pdf);
    EXPECT_GE(ops.count("BT"), 5 + 200) << "text objects";
    EXPECT_GE(ops.count(" l\n"), 1000) << "line segments";
}

TEST(SheetPrinter, KeepsTheScreenSizeOnAFinePrinter) {
    // Three times the screen's resolution: every line lands three times as far out.
    ViewFixture f(3, 2);
    const int dpi = f.view->logicalDpiX() * 3;
    QImage page(f.view->width() * 3, f.view->height() * 3, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        f.view->Printer().RenderPage(painter, dpi);
    }
    const int x = f.Sheet().LineNameWidthPx(), y = f.Sheet().m_nColumnHeight;
    const int fx = f.Sheet().m_Columns.GetAt(0)->m_rect.right;
    EXPECT_EQ(PixelRef(page, 3 * x, 3 * (y + 10)), f.Sheet().Look().WakuColor);
    EXPECT_EQ(PixelRef(page, 3 * (x + 10), 3 * y), f.Sheet().Look().WakuColor);
    EXPECT_EQ(PixelRef(page, 3 * fx, 3 * (y + 10)), f.Sheet().Look().WakuColor);
    // Lines keep their weight on paper: a screen pixel's worth of dots.
    EXPECT_EQ(PixelRef(page, 3 * x - 1, 3 * (y + 10)), f.Sheet().Look().WakuColor);
    EXPECT_EQ(PixelRef(page, 3 * x + 1, 3 * (y + 10)), f.Sheet().Look().WakuColor);
    EXPECT_NE(PixelRef(page, 3 * x + 3, 3 * (y + 10)), f.Sheet().Look().WakuColor);
    EXPECT_NE(PixelRef(page, x, 3 * (y + 10)), f.Sheet().Look().WakuColor);
}

struct CommandCase {
    const char* name;
    UINT id;
    bool bAccept;  // the user answers OK (a preview always draws)
    int nDialogs;  // print dialogs opened
    int nPreviews; // previews opened
    bool bPrinted; // pages reached the printer the dialog made
};

void PrintTo(const CommandCase& c, std::ostream* os) {
    *os << c.name;
}

class SheetPrinterCommand : public ::testing::TestWithParam<CommandCase> {
protected:
    CScriptedAnswers m_ui;
};

// The print and preview commands open their dialogs through the seam and
// print on the printer the dialog hands over, and only after OK.
TEST_P(SheetPrinterCommand, PrintsThroughTheDialogOfTheSeam) {
    const CommandCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath("out.pdf");
    m_ui.m_printAnswer = [&](const PrintPagesFn& printPages) {
        if (!c.bAccept)
            return false;
        CPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return printPages(printer);
    };
    ViewFixture f(200, 3);
    EXPECT_TRUE(f.view->OnCmdMsg(c.id));
    EXPECT_EQ(m_ui.m_nPrintDialogs, c.nDialogs);
    EXPECT_EQ(m_ui.m_nPrintPreviews, c.nPreviews);
    QFile file(path);
    ASSERT_EQ(file.exists(), c.bPrinted);
    if (c.bPrinted) {
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_GT(PdfPageCount(file.readAll()), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Print, SheetPrinterCommand,
    ::testing::Values(CommandCase{"PrintCancelled", ID_FILE_PRINT, false, 1, 0, false},
                      CommandCase{"PrintAccepted", ID_FILE_PRINT, true, 1, 0, true},
                      CommandCase{"Preview", ID_FILE_PRINT_PREVIEW, true, 0, 1, true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

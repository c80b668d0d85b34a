// "tavreler --print-to-pdf OUT.pdf FILE.tvr" run as a batch would run it: no
// display, a fresh settings folder. The file it writes is read back with
// poppler's tools: the title, the text, the margins and the boxes on paper.
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "fw/Cp932.h"
#include "model/SheetFile.h"
#include "model/SheetIo.h"

namespace {

struct ToolRun {
    int exitCode = -1;
    QString err;
};

ToolRun Tool(const QString& program, const QStringList& args, QByteArray* out = nullptr,
             const QString& home = QString()) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!home.isEmpty()) {
        // No display at all: the program has to find its own way to paint.
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    }
    p.setProcessEnvironment(env);
    p.start(program, args);
    EXPECT_TRUE(p.waitForFinished(60000)) << program.toStdString();
    if (out)
        *out = p.readAllStandardOutput();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardError())};
}

// A sheet of rows "項目1～￥" … (characters whose glyphs fonts share with
// look-alikes) under the title "点検表", one check column.
QString WriteSheet(const QTemporaryDir& dir, int rows) {
    std::string lines;
    for (int i = 1; i <= rows; ++i)
        lines += cp932::FromUtf8OrDie("項目" + std::to_string(i) + "～￥") + "\r\n";
    CSheetFile sheet;
    BuildNewSheet(sheet, lines);
    sheet.m_strTitle = cp932::FromUtf8OrDie("点検表");
    const QString path = dir.filePath(QStringLiteral("sheet.tvr"));
    EXPECT_FALSE(SaveSheetFile(sheet, path.toStdString()).has_value());
    return path;
}

// How much ink a rectangle of the page holds.
double Ink(const QImage& page, const QRect& r) {
    double ink = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ink += 255 - qGray(page.pixel(x, y));
    return ink;
}

// Boxes of side px pixels (give or take two) outlined on all four sides in
// dark ink: the screen's white lower and right edges would leave none.
int FramedBoxes(const QImage& page, int px) {
    const auto dark = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < page.width() && y < page.height() &&
               qGray(page.pixel(x, y)) < 160;
    };
    // A line of ink from (x, y) along (dx, dy) for n pixels, one pixel of slack across.
    const auto line = [&](int x, int y, int dx, int dy, int n) {
        int ink = 0;
        for (int i = 0; i < n; ++i)
            ink += dark(x + i * dx, y + i * dy) || dark(x + i * dx + dy, y + i * dy + dx);
        return ink >= n - 2;
    };
    int boxes = 0;
    for (int y = 1; y < page.height(); ++y)
        for (int x = 1; x < page.width(); ++x) {
            if (!dark(x, y) || dark(x - 1, y) || dark(x, y - 1))
                continue;
            for (int side = px - 2; side <= px + 2; ++side)
                if (line(x, y, 1, 0, side) && line(x, y, 0, 1, side) &&
                    line(x + side - 2, y, 0, 1, side) && line(x, y + side - 2, 1, 0, side) &&
                    !dark(x + side / 2, y + side / 2)) {
                    // Each edge as heavy as the others: none half covered.
                    const double left = Ink(page, QRect(x - 2, y + side / 4, 5, side / 2));
                    const double top = Ink(page, QRect(x + side / 4, y - 2, side / 2, 5));
                    const double right = Ink(page, QRect(x + side - 3, y + side / 4, 5, side / 2));
                    const double bottom = Ink(page, QRect(x + side / 4, y + side - 3, side / 2, 5));
                    const auto [lightest, heaviest] = std::minmax({left, top, right, bottom});
                    boxes += lightest > 0.8 * heaviest;
                    break;
                }
        }
    return boxes;
}

TEST(PrintToPdf, WritesThePagesWithTitleTextMarginsAndFramedBoxes) {
    QTemporaryDir dir;
    const QString sheet = WriteSheet(dir, 12);
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    const ToolRun run = Tool(QStringLiteral(TAVRELER_EXE),
                             {QStringLiteral("--print-to-pdf"), pdf, sheet}, nullptr, dir.path());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    QByteArray info;
    ASSERT_EQ(Tool(QStringLiteral("pdfinfo"), {pdf}, &info).exitCode, 0);
    EXPECT_TRUE(QString::fromUtf8(info).contains(QStringLiteral("Title:           点検表")))
        << info.toStdString();

    QByteArray text;
    ASSERT_EQ(Tool(QStringLiteral("pdftotext"),
                   {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")},
                   &text)
                  .exitCode,
              0);
    const QString words = QString::fromUtf8(text);
    for (int i = 1; i <= 12; ++i)
        EXPECT_TRUE(words.contains(QStringLiteral("項目%1～￥").arg(i)))
            << i << words.toStdString();

    // Two device pixels per screen pixel: a box is 16 screen pixels wide.
    const QString png = dir.filePath(QStringLiteral("page"));
    ASSERT_EQ(Tool(QStringLiteral("pdftoppm"),
                   {QStringLiteral("-r"), QStringLiteral("192"), QStringLiteral("-singlefile"),
                    QStringLiteral("-png"), pdf, png})
                  .exitCode,
              0);
    QImage page(png + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    page = page.convertToFormat(QImage::Format_RGB32);
    QRect ink;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 200)
                ink |= QRect(x, y, 1, 1);
    // 10 mm at 192 dots an inch; the grid's frame and the footer reach the margins.
    const double margin = 10 / 25.4 * 192;
    EXPECT_NEAR(ink.left(), margin, 3);
    EXPECT_NEAR(ink.top(), margin, 3);
    EXPECT_GE(page.width() - 1 - ink.right(), margin - 3);
    EXPECT_GE(page.height() - 1 - ink.bottom(), margin - 3);
    EXPECT_EQ(FramedBoxes(page, 32), 12);
}

struct FailCase {
    const char* name;
    std::function<QStringList(const QTemporaryDir&)> args;
    const char* message; // a part of what standard error says
};

class PrintToPdfFails : public ::testing::TestWithParam<FailCase> {};

// Nothing to print, or nowhere to put it: a message, status 1, no file.
TEST_P(PrintToPdfFails, SaysWhyOnStandardErrorAndExitsWithOne) {
    QTemporaryDir dir;
    const QStringList args = GetParam().args(dir);
    const ToolRun run = Tool(QStringLiteral(TAVRELER_EXE), args, nullptr, dir.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QString::fromUtf8(GetParam().message))) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("out.pdf"))));
}

INSTANTIATE_TEST_SUITE_P(
    Cli, PrintToPdfFails,
    ::testing::Values(FailCase{"MissingSheet",
                               [](const QTemporaryDir& d) {
                                   return QStringList{QStringLiteral("--print-to-pdf"),
                                                      d.filePath(QStringLiteral("out.pdf")),
                                                      d.filePath(QStringLiteral("none.tvr"))};
                               },
                               "このﾌｧｲﾙが見つかりません"},
                      FailCase{"NotASheet",
                               [](const QTemporaryDir& d) {
                                   QFile f(d.filePath(QStringLiteral("bad.tvr")));
                                   EXPECT_TRUE(f.open(QIODevice::WriteOnly));
                                   f.write("this is not a sheet");
                                   f.close();
                                   return QStringList{QStringLiteral("--print-to-pdf"),
                                                      d.filePath(QStringLiteral("out.pdf")),
                                                      f.fileName()};
                               },
                               "予期しないﾌｧｲﾙ形式です"},
                      FailCase{"NoFolderForThePdf",
                               [](const QTemporaryDir& d) {
                                   return QStringList{QStringLiteral("--print-to-pdf"),
                                                      d.filePath(QStringLiteral("no/such/out.pdf")),
                                                      WriteSheet(d, 2)};
                               },
                               "no/such/out.pdf"},
                      FailCase{"NoSheetNamed",
                               [](const QTemporaryDir& d) {
                                   return QStringList{QStringLiteral("--print-to-pdf"),
                                                      d.filePath(QStringLiteral("out.pdf"))};
                               },
                               "usage: tavreler --print-to-pdf"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

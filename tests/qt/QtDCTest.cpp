// The platform's drawing rules on Qt, checked pixel by pixel on an image:
// lines without their end point, fills without their right and bottom edges,
// outlines inside the rectangle, no antialiasing, text kept in its box, the
// clip rectangle, and fonts sized the way the settings mean them.
#include <functional>
#include <utility>
#include <vector>

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <gtest/gtest.h>

#include "fw/Cp932.h"
#include "model/CheckItem.h"
#include "model/DisplaySettings.h"
#include "qt/QtDC.h"
#include "qt/QtFont.h"

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A white image painted through a CQtDC.
QImage Render(int w, int h, const std::function<void(CDC&)>& draw) {
    QImage img(w, h, QImage::Format_RGB32);
    img.setDevicePixelRatio(1);
    img.fill(Qt::white);
    QPainter painter(&img);
    {
        CQtDC dc(painter);
        draw(dc);
    }
    painter.end();
    return img;
}

COLORREF At(const QImage& img, int x, int y) {
    return ArgbToColorRef(img.pixel(x, y));
}

// Every pixel that is not white.
QSet<std::pair<int, int>> Ink(const QImage& img) {
    QSet<std::pair<int, int>> out;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (At(img, x, y) != kWhite)
                out.insert({x, y});
    return out;
}

// The bounding box of the ink (empty when there is none).
QRect InkBounds(const QImage& img) {
    QRect r;
    for (const auto& [x, y] : Ink(img))
        r |= QRect(x, y, 1, 1);
    return r;
}

std::string PixelsText(const QSet<std::pair<int, int>>& s) {
    QList<std::pair<int, int>> l(s.begin(), s.end());
    std::sort(l.begin(), l.end());
    std::string out;
    for (const auto& [x, y] : l)
        out += "(" + std::to_string(x) + "," + std::to_string(y) + ")";
    return out;
}

struct LineCase {
    const char* name;
    CPoint from, to;
};

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << c.name;
}

class QtDCLine : public ::testing::TestWithParam<LineCase> {};

// Straight and 45-degree lines: every pixel from the start up to, but not
// including, the end point.
TEST_P(QtDCLine, LeavesOutItsEndPoint) {
    const LineCase& c = GetParam();
    CPen pen{kBlue, 1};
    const QImage img = Render(30, 30, [&](CDC& dc) {
        dc.SelectObject(&pen);
        dc.MoveTo(c.from.x, c.from.y);
        dc.LineTo(c.to.x, c.to.y);
    });
    QSet<std::pair<int, int>> expected;
    const int dx = (c.to.x > c.from.x) - (c.to.x < c.from.x);
    const int dy = (c.to.y > c.from.y) - (c.to.y < c.from.y);
    for (CPoint p = c.from; !(p.x == c.to.x && p.y == c.to.y); p.x += dx, p.y += dy)
        expected.insert({p.x, p.y});
    EXPECT_EQ(PixelsText(Ink(img)), PixelsText(expected));
    for (const auto& [x, y] : expected)
        EXPECT_EQ(At(img, x, y), kBlue) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(
    Directions, QtDCLine,
    ::testing::Values(LineCase{"Right", {2, 5}, {12, 5}}, LineCase{"Left", {12, 5}, {2, 5}},
                      LineCase{"Down", {4, 1}, {4, 20}}, LineCase{"Up", {4, 20}, {4, 1}},
                      LineCase{"DiagonalDownRight", {1, 1}, {9, 9}},
                      LineCase{"DiagonalUpLeft", {9, 9}, {1, 1}},
                      LineCase{"OnePixel", {7, 7}, {8, 7}}, LineCase{"Nothing", {7, 7}, {7, 7}},
                      LineCase{"FromTheOrigin", {0, 0}, {29, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(QtDCDrawing, ConnectedLinesContinueFromTheLastEndPoint) {
    CPen pen{kRed, 1};
    const QImage img = Render(20, 20, [&](CDC& dc) {
        dc.SelectObject(&pen);
        dc.MoveTo(2, 2);
        dc.LineTo(10, 2);
        dc.LineTo(10, 10);
    });
    EXPECT_EQ(At(img, 9, 2), kRed);
    EXPECT_EQ(At(img, 10, 2), kRed); // the second line's start
    EXPECT_EQ(At(img, 10, 9), kRed);
    EXPECT_EQ(At(img, 10, 10), kWhite);
    EXPECT_EQ(Ink(img).size(), 16);
}

TEST(QtDCDrawing, SelectingAPenReturnsThePreviousOneAndNoneMeansBlack) {
    CPen red{kRed, 1}, blue{kBlue, 1};
    const CPen* first = &blue;
    const CPen* second = &blue;
    const QImage img = Render(20, 20, [&](CDC& dc) {
        dc.MoveTo(0, 0);
        dc.LineTo(5, 0); // default pen
        first = dc.SelectObject(&red);
        second = dc.SelectObject(&blue);
        dc.MoveTo(0, 2);
        dc.LineTo(5, 2);
        dc.SelectObject(second);
        dc.MoveTo(0, 4);
        dc.LineTo(5, 4);
    });
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(second, &red);
    EXPECT_EQ(At(img, 0, 0), 0x000000u);
    EXPECT_EQ(At(img, 0, 2), kBlue);
    EXPECT_EQ(At(img, 0, 4), kRed);
}

TEST(QtDCDrawing, FillSolidRectLeavesOutRightAndBottomAndSetsTheBackground) {
    COLORREF bkAfter = 0, bkAfterEmpty = 0;
    const QImage img = Render(20, 20, [&](CDC& dc) {
        dc.FillSolidRect(CRect(2, 3, 6, 8), kRed);
        bkAfter = dc.SetBkColor(kWhite);
        dc.FillSolidRect(CRect(10, 10, 10, 15), kBlue); // empty
        dc.FillSolidRect(CRect(15, 15, 12, 12), kBlue); // inverted
        bkAfterEmpty = dc.SetBkColor(kWhite);
    });
    QSet<std::pair<int, int>> expected;
    for (int y = 3; y < 8; ++y)
        for (int x = 2; x < 6; ++x)
            expected.insert({x, y});
    EXPECT_EQ(PixelsText(Ink(img)), PixelsText(expected));
    EXPECT_EQ(At(img, 2, 3), kRed);
    EXPECT_EQ(bkAfter, kRed);
    EXPECT_EQ(bkAfterEmpty, kBlue); // the colour is taken even when nothing is filled
}

TEST(QtDCDrawing, ShallowAndSteepLinesHaveOnePixelPerStepAndNoEndPoint) {
    CPen pen{kBlue, 1};
    for (const auto& [from, to] :
         {std::pair{CPoint{0, 0}, CPoint{10, 3}}, std::pair{CPoint{12, 1}, CPoint{2, 5}},
          std::pair{CPoint{3, 2}, CPoint{7, 20}}}) {
        SCOPED_TRACE(std::to_string(to.x) + "," + std::to_string(to.y));
        const QImage img = Render(30, 30, [&](CDC& dc) {
            dc.SelectObject(&pen);
            dc.MoveTo(from.x, from.y);
            dc.LineTo(to.x, to.y);
        });
        const bool shallow = std::abs(to.x - from.x) >= std::abs(to.y - from.y);
        const int steps = shallow ? std::abs(to.x - from.x) : std::abs(to.y - from.y);
        EXPECT_EQ(Ink(img).size(), steps);
        EXPECT_EQ(At(img, from.x, from.y), kBlue);
        EXPECT_EQ(At(img, to.x, to.y), kWhite);
        QSet<int> majors;
        for (const auto& [x, y] : Ink(img))
            majors.insert(shallow ? x : y);
        EXPECT_EQ(majors.size(), steps) << "one pixel per step along the longer axis";
    }
}

struct RectCase {
    const char* name;
    CRect rc;
};

void PrintTo(const RectCase& c, std::ostream* os) {
    *os << c.name;
}

class QtDCRectangle : public ::testing::TestWithParam<RectCase> {};

TEST_P(QtDCRectangle, OutlinesInsideItsRightAndBottomEdges) {
    const CRect rc = GetParam().rc;
    CPen pen{kBlue, 1};
    const QImage img = Render(20, 20, [&](CDC& dc) {
        dc.SelectObject(&pen);
        dc.Rectangle(rc);
    });
    QSet<std::pair<int, int>> expected;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (x == rc.left || x == rc.right - 1 || y == rc.top || y == rc.bottom - 1)
                expected.insert({x, y});
    EXPECT_EQ(PixelsText(Ink(img)), PixelsText(expected));
}

INSTANTIATE_TEST_SUITE_P(Sizes, QtDCRectangle,
                         ::testing::Values(RectCase{"Wide", CRect(2, 2, 9, 7)},
                                           RectCase{"TwoByTwo", CRect(4, 4, 6, 6)},
                                           RectCase{"ThreeByThree", CRect(4, 4, 7, 7)},
                                           RectCase{"OneWide", CRect(3, 3, 4, 8)},
                                           RectCase{"OneHigh", CRect(3, 3, 9, 4)},
                                           RectCase{"OnePixel", CRect(5, 5, 6, 6)},
                                           RectCase{"Empty", CRect(5, 5, 5, 9)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(QtDCDrawing, NoIntermediateColours) {
    CPen pen{kBlue, 1};
    const QImage img = Render(60, 60, [&](CDC& dc) {
        dc.SelectObject(&pen);
        dc.MoveTo(0, 0);
        dc.LineTo(59, 17); // shallow slopes are where smoothing would show
        dc.MoveTo(3, 50);
        dc.LineTo(20, 5);
        dc.Rectangle(CRect(30, 30, 55, 52));
        dc.FillSolidRect(CRect(40, 2, 50, 12), kRed);
    });
    QSet<COLORREF> colours;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            colours.insert(At(img, x, y));
    EXPECT_EQ(colours, (QSet<COLORREF>{kWhite, kBlue, kRed}));
}

// Text needs a font; the Japanese gothic face is what the program asks for.
CFont TextFont(int height = -14) {
    CFont f;
    f.m_strFaceName = "ＭＳ Ｐゴシック";
    f.m_nHeight = height;
    return f;
}

QImage RenderText(const std::string& utf8, const CRect& rc, UINT format, int mode = TRANSPARENT,
                  int w = 200, int h = 60) {
    const CFont font = TextFont();
    return Render(w, h, [&](CDC& dc) {
        dc.SelectObject(&font);
        dc.SetBkMode(mode);
        dc.SetBkColor(kRed);
        dc.SetTextColor(kBlue);
        dc.DrawText(cp932::FromUtf8OrDie(utf8), rc, format);
    });
}

TEST(QtDCText, StaysInsideItsRectangleUnlessToldNotToClip) {
    const CRect rc(10, 10, 40, 22);
    const UINT fmt = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;
    const std::string text = "WWWWWWWW 項目名テキスト";
    for (int mode : {TRANSPARENT, OPAQUE}) {
        SCOPED_TRACE(mode);
        const QRect ink = InkBounds(RenderText(text, rc, fmt, mode));
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_TRUE(QRect(10, 10, 30, 12).contains(ink))
            << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
    }
    // DT_NOCLIP lets the text run past the box.
    const QRect unclipped = InkBounds(RenderText(text, rc, fmt | DT_NOCLIP));
    EXPECT_GT(unclipped.right(), 40);
}

TEST(QtDCText, OpaqueModeFillsBehindTheTextWithTheBackgroundColour) {
    const CRect rc(10, 10, 190, 40);
    const UINT fmt = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;
    const QImage opaque = RenderText("ab", rc, fmt, OPAQUE);
    const QImage clear = RenderText("ab", rc, fmt, TRANSPARENT);
    EXPECT_EQ(At(opaque, 10, 10), kRed);
    EXPECT_EQ(At(clear, 10, 10), kWhite);
    EXPECT_EQ(At(opaque, 189, 39), kWhite) << "only behind the text, not the whole box";
    // Glyph edges are smoothed onto the white: blue stays full, red and green fall.
    bool blueInk = false;
    for (const auto& [x, y] : Ink(clear)) {
        const COLORREF c = At(clear, x, y);
        blueInk |= GetBValue(c) == 255 && GetRValue(c) < 128 && GetRValue(c) == GetGValue(c);
    }
    EXPECT_TRUE(blueInk) << "text in the text colour";
}

TEST(QtDCText, AmpersandIsDrawnWithoutPrefixProcessing) {
    const CRect rc(0, 0, 200, 30);
    const UINT fmt = DT_LEFT | DT_TOP | DT_SINGLELINE;
    const int withAmp = InkBounds(RenderText("A&B", rc, fmt | DT_NOPREFIX)).width();
    const int plain = InkBounds(RenderText("AB", rc, fmt | DT_NOPREFIX)).width();
    EXPECT_GT(withAmp, plain);
    // With prefix processing "&" marks the next letter and "&&" is one "&".
    EXPECT_EQ(InkBounds(RenderText("A&&B", rc, fmt)).width(), withAmp);
    const QRect mnemonic = InkBounds(RenderText("A&B", rc, fmt));
    EXPECT_LT(mnemonic.width(), withAmp);
}

struct AlignCase {
    const char* name;
    UINT format;
};

void PrintTo(const AlignCase& c, std::ostream* os) {
    *os << c.name;
}

class QtDCTextAlign : public ::testing::TestWithParam<AlignCase> {};

TEST_P(QtDCTextAlign, InkSitsWhereTheFlagsPutIt) {
    const CRect rc(20, 10, 180, 50);
    const QRect ink = InkBounds(RenderText("Text", rc, GetParam().format | DT_NOPREFIX));
    ASSERT_FALSE(ink.isEmpty());
    const int gapLeft = ink.left() - rc.left;
    const int gapRight = rc.right - 1 - ink.right();
    const int gapTop = ink.top() - rc.top;
    const int gapBottom = rc.bottom - 1 - ink.bottom();
    switch (GetParam().format & (DT_CENTER | DT_RIGHT)) {
    case DT_CENTER:
        EXPECT_LE(std::abs(gapLeft - gapRight), 3) << gapLeft << " " << gapRight;
        break;
    case DT_RIGHT:
        EXPECT_LT(gapRight, gapLeft);
        EXPECT_LE(gapRight, 3);
        break;
    default:
        EXPECT_LE(gapLeft, 3);
        EXPECT_GT(gapRight, 60);
        break;
    }
    if (!(GetParam().format & DT_SINGLELINE))
        EXPECT_LT(gapTop, gapBottom);
    else if (GetParam().format & DT_VCENTER)
        EXPECT_LE(std::abs(gapTop - gapBottom), 4) << gapTop << " " << gapBottom;
    else if (GetParam().format & DT_BOTTOM)
        EXPECT_LT(gapBottom, gapTop);
    else
        EXPECT_LT(gapTop, gapBottom);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, QtDCTextAlign,
    ::testing::Values(AlignCase{"LeftTop", DT_LEFT | DT_TOP | DT_SINGLELINE},
                      AlignCase{"CenterTop", DT_CENTER | DT_TOP | DT_SINGLELINE},
                      AlignCase{"RightTop", DT_RIGHT | DT_TOP | DT_SINGLELINE},
                      AlignCase{"CenterMiddle", DT_CENTER | DT_VCENTER | DT_SINGLELINE},
                      AlignCase{"LeftBottom", DT_LEFT | DT_BOTTOM | DT_SINGLELINE},
                      AlignCase{"MultiLineLeftTop", DT_LEFT | DT_TOP},
                      // Vertical centring and bottom alignment need a single line.
                      AlignCase{"VCenterWithoutSingleLineIsTop", DT_CENTER | DT_VCENTER},
                      AlignCase{"BottomWithoutSingleLineIsTop", DT_LEFT | DT_BOTTOM}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(QtDCClip, ANewClipRectangleReplacesTheEarlierOne) {
    bool inFirst = true, inSecond = false, straddling = false;
    const QImage img = Render(40, 40, [&](CDC& dc) {
        dc.SelectClipRect(CRect(0, 0, 10, 10));
        dc.SelectClipRect(CRect(20, 20, 30, 30));
        inFirst = dc.RectVisible(CRect(2, 2, 8, 8));
        inSecond = dc.RectVisible(CRect(22, 22, 24, 24));
        straddling = dc.RectVisible(CRect(25, 5, 35, 25));
        dc.FillSolidRect(CRect(0, 0, 40, 40), kRed);
    });
    EXPECT_FALSE(inFirst);
    EXPECT_TRUE(inSecond);
    EXPECT_TRUE(straddling);
    EXPECT_EQ(InkBounds(img), QRect(20, 20, 10, 10));
    EXPECT_EQ(Ink(img).size(), 100);
}

TEST(QtDCClip, TextInsideAClipStaysInTheClip) {
    const CFont font = TextFont();
    const QImage img = Render(200, 40, [&](CDC& dc) {
        dc.SelectObject(&font);
        dc.SelectClipRect(CRect(0, 0, 30, 40));
        dc.DrawText("WWWWWWWWWWWW", CRect(0, 0, 200, 40),
                    DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
        // After the text the clip is still the one selected, not the text's box.
        dc.FillSolidRect(CRect(0, 30, 200, 40), kRed);
    });
    const QRect ink = InkBounds(img);
    EXPECT_LE(ink.right(), 29);
    EXPECT_EQ(At(img, 29, 35), kRed);
    EXPECT_EQ(At(img, 30, 35), kWhite);
}

TEST(QtDCClip, RectVisibleHonoursThePaintRegion) {
    QImage img(50, 50, QImage::Format_RGB32);
    QPainter painter(&img);
    CQtDC dc(painter);
    EXPECT_TRUE(dc.RectVisible(CRect(40, 40, 45, 45)));
    EXPECT_FALSE(dc.RectVisible(CRect(5, 5, 5, 9))); // empty
    dc.SetPaintRegion(QRegion(0, 0, 10, 10));
    EXPECT_TRUE(dc.RectVisible(CRect(5, 5, 15, 15)));
    EXPECT_FALSE(dc.RectVisible(CRect(10, 10, 20, 20)));
}

// Fonts: a positive "Size" is the cell height, a negative one the character height.
class QtFontSize : public ::testing::TestWithParam<int> {};

TEST_P(QtFontSize, APositiveSizeIsTheLargestCellThatFits) {
    const int size = GetParam();
    const CFont desc = TextFont(size);
    const QFont font = QtFontFor(desc);
    const TEXTMETRIC tm = QtTextMetrics(font);
    EXPECT_LE(tm.tmHeight, size);
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_GT(tm.tmAveCharWidth, 0);
    QFont bigger = font;
    bigger.setPixelSize(font.pixelSize() + 1);
    EXPECT_GT(QtTextMetrics(bigger).tmHeight, size) << "pixel size " << font.pixelSize();
}

TEST_P(QtFontSize, ANegativeSizeIsThePixelSize) {
    const int size = GetParam();
    const QFont font = QtFontFor(TextFont(-size));
    EXPECT_EQ(font.pixelSize(), size);
    EXPECT_GT(QtTextMetrics(font).tmAveCharWidth, 0);
}

INSTANTIATE_TEST_SUITE_P(Sizes, QtFontSize, ::testing::Values(8, 12, 14, 16, 20, 32),
                         [](const auto& info) { return "Pixels" + std::to_string(info.param); });

TEST(QtFont, TheDrawingContextReportsTheSelectedFont) {
    const CFont desc = TextFont(16);
    TEXTMETRIC viaDc;
    Render(10, 10, [&](CDC& dc) {
        EXPECT_EQ(dc.SelectObject(&desc), nullptr);
        EXPECT_TRUE(dc.GetTextMetrics(&viaDc));
    });
    const TEXTMETRIC direct = QtTextMetrics(QtFontFor(desc));
    EXPECT_EQ(viaDc.tmHeight, direct.tmHeight);
    EXPECT_EQ(viaDc.tmAveCharWidth, direct.tmAveCharWidth);
    EXPECT_LE(viaDc.tmHeight, 16);
}

// DrawText returns the height of its line: tmHeight for one line.
TEST(QtFont, DrawTextReturnsTheHeightOfItsLine) {
    const CFont desc = TextFont(16);
    int height = 0;
    TEXTMETRIC tm;
    Render(100, 40, [&](CDC& dc) {
        dc.SelectObject(&desc);
        dc.GetTextMetrics(&tm);
        height =
            dc.DrawText("Ag", CRect(0, 0, 100, 40), DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    });
    EXPECT_EQ(height, tm.tmHeight);
}

TEST(QtFont, ChangingTheDescriptionRealisesANewFont) {
    CFont desc = TextFont(-12);
    EXPECT_EQ(QtFontFor(desc).pixelSize(), 12);
    desc.m_nHeight = -20;
    desc.m_nWeight = 700;
    desc.m_bItalic = 1;
    desc.m_bUnderline = 1;
    const QFont f = QtFontFor(desc);
    EXPECT_EQ(f.pixelSize(), 20);
    EXPECT_EQ(f.weight(), QFont::Bold);
    EXPECT_TRUE(f.italic());
    EXPECT_TRUE(f.underline());
    EXPECT_EQ(desc.m_strFaceName, "ＭＳ Ｐゴシック"); // the stored name keeps its bytes
}

TEST(QtFont, TheWindowsJapaneseFaceResolvesToAJapaneseFace) {
    bool haveJapanese = false;
    for (const QString& family : QFontDatabase::families(QFontDatabase::Japanese))
        haveJapanese |= !family.isEmpty();
    if (!haveJapanese)
        GTEST_SKIP() << "no Japanese font installed";
    const QFontInfo info(QtFontFor(TextFont(-14)));
    EXPECT_TRUE(QFontDatabase::writingSystems(info.family()).contains(QFontDatabase::Japanese))
        << info.family().toStdString();
}

} // namespace

// ---------------------------------------------------------------- high density

namespace {

// The same drawing on an image of ratio device pixels per pixel.
QImage RenderDense(int w, int h, qreal ratio, const std::function<void(CDC&)>& draw) {
    QImage img(int(w * ratio), int(h * ratio), QImage::Format_RGB32);
    img.setDevicePixelRatio(ratio);
    img.fill(Qt::white);
    QPainter painter(&img);
    {
        CQtDC dc(painter);
        draw(dc);
    }
    painter.end();
    return img;
}

const CPen kRedPen{kRed, 1};

struct DenseCase {
    const char* name;
    std::function<void(CDC&)> draw;
};

class QtDCDense : public ::testing::TestWithParam<DenseCase> {};

// Every device pixel has the colour of the pixel it belongs to at scale 1:
// nothing thinner, shifted, blurred or left out.
TEST_P(QtDCDense, IsTheScaleOnePictureEnlarged) {
    const QImage one = Render(24, 20, GetParam().draw);
    ASSERT_FALSE(Ink(one).isEmpty());
    const QImage two = RenderDense(24, 20, 2, GetParam().draw);
    ASSERT_EQ(two.size(), QSize(48, 40));
    for (int y = 0; y < two.height(); ++y)
        for (int x = 0; x < two.width(); ++x)
            ASSERT_EQ(At(two, x, y), At(one, x / 2, y / 2)) << "device pixel " << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Qt, QtDCDense,
                         ::testing::Values(DenseCase{"HorizontalLine",
                                                     [](CDC& dc) {
                                                         dc.SelectObject(&kRedPen);
                                                         dc.MoveTo(2, 5);
                                                         dc.LineTo(20, 5);
                                                     }},
                                           DenseCase{"VerticalLineUpwards",
                                                     [](CDC& dc) {
                                                         dc.SelectObject(&kRedPen);
                                                         dc.MoveTo(7, 18);
                                                         dc.LineTo(7, 1);
                                                     }},
                                           DenseCase{"CrossOfACheckBox",
                                                     [](CDC& dc) {
                                                         dc.SelectObject(&kRedPen);
                                                         dc.MoveTo(3, 3);
                                                         dc.LineTo(13, 13);
                                                         dc.MoveTo(12, 3);
                                                         dc.LineTo(2, 13);
                                                     }},
                                           DenseCase{"OnePixelLine",
                                                     [](CDC& dc) {
                                                         dc.SelectObject(&kRedPen);
                                                         dc.MoveTo(4, 4);
                                                         dc.LineTo(5, 4);
                                                     }},
                                           DenseCase{"BoxEdgesMeetWithoutOverlap",
                                                     [](CDC& dc) {
                                                         // A check box's outline: lines that share
                                                         // corners.
                                                         const CPen blue{kBlue, 1};
                                                         dc.SelectObject(&kRedPen);
                                                         dc.MoveTo(4, 4);
                                                         dc.LineTo(16, 4);
                                                         dc.MoveTo(4, 4);
                                                         dc.LineTo(4, 16);
                                                         dc.SelectObject(&blue);
                                                         dc.MoveTo(16, 4);
                                                         dc.LineTo(16, 16);
                                                         dc.LineTo(3, 16);
                                                         dc.FillSolidRect(CRect(6, 6, 15, 15),
                                                                          RGB(0, 255, 0));
                                                     }},
                                           DenseCase{"Rectangles",
                                                     [](CDC& dc) {
                                                         dc.SelectObject(&kRedPen);
                                                         dc.Rectangle(CRect(2, 2, 12, 9));
                                                         dc.Rectangle(CRect(14, 3, 15, 4));
                                                         dc.Rectangle(CRect(16, 3, 18, 15));
                                                         dc.Rectangle(CRect(2, 12, 10, 13));
                                                     }}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(QtDCDense, ShallowAndSteepLinesAreWholePixelsWithOnePerStep) {
    // Where a slope rounds may differ from the scale-1 line at a tie, but
    // each pixel is a whole 2x2 block, one per step, with no end point.
    const auto draw = [](CDC& dc) {
        dc.SelectObject(&kRedPen);
        dc.MoveTo(1, 1);
        dc.LineTo(22, 8);
        dc.MoveTo(20, 19);
        dc.LineTo(15, 2);
    };
    const QImage two = RenderDense(24, 20, 2, draw);
    QSet<std::pair<int, int>> pixels;
    for (int y = 0; y < two.height(); y += 2)
        for (int x = 0; x < two.width(); x += 2) {
            const COLORREF c = At(two, x, y);
            ASSERT_EQ(At(two, x + 1, y), c);
            ASSERT_EQ(At(two, x, y + 1), c);
            ASSERT_EQ(At(two, x + 1, y + 1), c);
            if (c != kWhite)
                pixels.insert({x / 2, y / 2});
        }
    EXPECT_EQ(pixels.size(), Ink(Render(24, 20, draw)).size());
    EXPECT_TRUE(pixels.contains({1, 1}));
    EXPECT_FALSE(pixels.contains({22, 8}));
    EXPECT_FALSE(pixels.contains({15, 2}));
}

TEST(QtDCDense, TextIsDrawnAtTheScaledSizeInsideItsBox) {
    CFont font;
    font.m_nHeight = -12;
    font.m_strFaceName = "IPAGothic";
    const auto draw = [&](CDC& dc) {
        dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        dc.DrawText("Wg", CRect(3, 2, 40, 18), DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    };
    const QRect one = InkBounds(Render(48, 24, draw));
    const QRect two = InkBounds(RenderDense(48, 24, 2, draw));
    ASSERT_FALSE(one.isEmpty());
    ASSERT_FALSE(two.isEmpty());
    // Inside the box at twice the coordinates, and about twice as tall: the
    // glyphs are rendered for the device, not enlarged from a small bitmap.
    EXPECT_TRUE(QRect(6, 4, 74, 32).contains(two)) << two.x() << "," << two.y();
    EXPECT_NEAR(two.height(), 2 * one.height(), 3);
    EXPECT_NEAR(two.width(), 2 * one.width(), 4);
    // Glyph edges at device resolution: some ink lies on a device pixel whose
    // 2x2 block is not all one colour, which an enlarged bitmap never has.
    const QImage img = RenderDense(48, 24, 2, draw);
    bool fine = false;
    for (int y = 0; y + 1 < img.height() && !fine; y += 2)
        for (int x = 0; x + 1 < img.width() && !fine; x += 2) {
            const COLORREF c = At(img, x, y);
            fine = At(img, x + 1, y) != c || At(img, x, y + 1) != c || At(img, x + 1, y + 1) != c;
        }
    EXPECT_TRUE(fine);
}

} // namespace

// ---------------------------------------------------------------- the check box

namespace {

struct BoxCase {
    const char* name;
    qreal ratio;   // device pixels per pixel
    bool printing; // on paper
    int stroke;    // device pixels across each stroke of the cross
};

void PrintTo(const BoxCase& c, std::ostream* os) {
    *os << c.name;
}

class QtDCCheckBox : public ::testing::TestWithParam<BoxCase> {};

// A ticked box in a 20 x 20 cell: the cross's strokes are as wide as the
// frame's at every scale, and its frame shows all four edges on paper
// while the screen keeps its lit lower and right edges.
TEST_P(QtDCCheckBox, CrossStrokesScaleAndPaperShowsEveryEdge) {
    const BoxCase& c = GetParam();
    const CDisplaySettings look;
    CCheckItem item;
    item.SetRect(0, 0, 20, 20);
    item.m_bCheck = 1;
    const CRect box = item.CheckRect();
    QImage img(int(24 * c.ratio), int(24 * c.ratio), QImage::Format_RGB32);
    img.setDevicePixelRatio(c.ratio);
    img.fill(Qt::magenta);
    {
        QPainter painter(&img);
        CQtDC dc(painter);
        dc.SetPrinting(c.printing);
        item.Draw(&dc, look);
    }
    const auto at = [&](int x, int y) { return At(img, int(x * c.ratio), int(y * c.ratio)); };

    // Across the cross four pixels below the box's top: two strokes, each
    // c.stroke device pixels of the check colour.
    const int row = int((box.top + 4) * c.ratio + c.ratio / 2);
    std::vector<int> runs;
    for (int x = 0, run = 0; x <= img.width(); ++x) {
        const bool ink = x < img.width() && At(img, x, row) == look.m_penCheck.m_color;
        if (ink)
            ++run;
        else if (run > 0)
            runs.push_back(std::exchange(run, 0));
    }
    EXPECT_EQ(runs, (std::vector<int>{c.stroke, c.stroke}));

    const COLORREF lower = c.printing ? look.m_penBox[1].m_color : look.m_penBox[2].m_color;
    const int mid = (box.left + box.right) / 2;
    EXPECT_EQ(at(box.left, mid), c.printing ? lower : look.m_penBox[0].m_color);
    EXPECT_EQ(at(mid, box.top), c.printing ? lower : look.m_penBox[0].m_color);
    EXPECT_EQ(at(box.right, mid), lower);
    EXPECT_EQ(at(mid, box.bottom), lower);
    EXPECT_EQ(at(box.right, box.bottom), lower);
}

INSTANTIATE_TEST_SUITE_P(Qt, QtDCCheckBox,
                         ::testing::Values(BoxCase{"Screen", 1, false, 1},
                                           BoxCase{"ScreenAtScaleTwo", 2, false, 2},
                                           BoxCase{"ScreenAtScaleThree", 3, false, 3},
                                           BoxCase{"Paper", 1, true, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

// The colour button's drawing, pixel by pixel, and its palette popup: where
// it opens, how it closes and what a pick does, driven for real.
#include <QApplication>
#include <QColorDialog>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <ostream>

#include <optional>
#include <vector>

#include "ModalDriver.h"
#include "dialogs/ColorBtn.h"
#include "dialogs/ColorBtnDlg.h"
#include "qt/QtDC.h"

namespace {

constexpr COLORREF kFace = RGB(212, 208, 200);
constexpr COLORREF kDark = RGB(128, 128, 128);
constexpr COLORREF kSwatch = RGB(255, 0, 0);
constexpr COLORREF kUntouched = RGB(255, 0, 255);

COLORREF At(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

// A button made while the desktop's button face is kFace.
struct FacePalette {
    QPalette saved = QApplication::palette();
    FacePalette() {
        QPalette p = saved;
        p.setColor(QPalette::Button, QColor(GetRValue(kFace), GetGValue(kFace), GetBValue(kFace)));
        QApplication::setPalette(p);
    }
    ~FacePalette() { QApplication::setPalette(saved); }
};

QImage Draw(const CColorBtn& btn, UINT state, int w = 60, int h = 24) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    QPainter painter(&image);
    CQtDC dc(painter);
    btn.DrawItem(&dc, CRect(0, 0, w, h), state);
    return image;
}

struct Pixel {
    int x, y;
    COLORREF color;
};

struct DrawCase {
    const char* name;
    UINT state;
    std::vector<Pixel> pixels;
};
void PrintTo(const DrawCase& c, std::ostream* os) {
    *os << c.name;
}

class ColorBtnDraw : public ::testing::TestWithParam<DrawCase> {};

// A 60 × 24 button: L = 0, T = 0, R = 60, B = 24, so M = 12.
TEST_P(ColorBtnDraw, PixelsAtTheirPlaces) {
    const DrawCase& c = GetParam();
    FacePalette face;
    CColorBtn btn;
    btn.m_color = kSwatch;
    const QImage image = Draw(btn, c.state);
    for (const Pixel& p : c.pixels)
        EXPECT_EQ(At(image, p.x, p.y), p.color) << "at (" << p.x << ", " << p.y << ")";
}

const COLORREF K = 0x000000, W = 0xFFFFFF, D = kDark, F = kFace, S = kSwatch, U = kUntouched;
const UINT SEL = CColorBtn::ODS_SELECTED, DIS = CColorBtn::ODS_DISABLED, FOC = CColorBtn::ODS_FOCUS;

INSTANTIATE_TEST_SUITE_P(
    States, ColorBtnDraw,
    ::testing::Values(DrawCase{"Normal",
                               0,
                               {// face, leaving out the last column and row to the black edge
                                {0, 0, F},
                                {2, 2, F},
                                {58, 0, F},
                                {40, 21, F},
                                // black edge: bottom row and right column, its end point left out
                                {0, 23, K},
                                {58, 23, K},
                                {59, 23, K},
                                {59, 1, K},
                                {59, 0, U},
                                // dark edge inside it, then white on from its end
                                {1, 22, D},
                                {57, 22, D},
                                {58, 22, D},
                                {58, 2, D},
                                {58, 1, W},
                                {2, 1, W},
                                {1, 1, W},
                                {1, 21, W},
                                // separator: dark then white, from T + 4 to B - 5
                                {49, 4, D},
                                {49, 19, D},
                                {49, 20, F},
                                {50, 4, W},
                                {50, 19, W},
                                {50, 3, F},
                                // arrow: five, three, one pixel
                                {51, 11, F},
                                {52, 11, K},
                                {56, 11, K},
                                {57, 11, F},
                                {52, 12, F},
                                {53, 12, K},
                                {55, 12, K},
                                {56, 12, F},
                                {53, 13, F},
                                {54, 13, K},
                                {55, 13, F},
                                // swatch framed in black: (5, 4) to (44, 19)
                                {5, 4, K},
                                {44, 4, K},
                                {5, 19, K},
                                {44, 19, K},
                                {6, 5, S},
                                {43, 18, S},
                                {45, 10, F},
                                {20, 20, F},
                                {4, 10, F},
                                // no focus frame
                                {3, 3, F}}},
                      DrawCase{"Pressed",
                               SEL,
                               {// dark left column and top row, white right column and bottom row
                                {0, 23, D},
                                {0, 1, D},
                                {0, 0, D},
                                {58, 0, D},
                                {59, 0, W},
                                {59, 22, W},
                                {59, 23, W},
                                {2, 23, W},
                                {1, 23, U},
                                // black inside them
                                {1, 22, K},
                                {1, 2, K},
                                {1, 1, K},
                                {57, 1, K},
                                {58, 1, F},
                                // everything else one pixel right and down
                                {50, 5, D},
                                {50, 20, D},
                                {51, 5, W},
                                {51, 20, W},
                                {50, 4, F},
                                {53, 11, K},
                                {57, 11, K},
                                {52, 11, F},
                                {54, 12, K},
                                {56, 12, K},
                                {55, 13, K},
                                {6, 5, K},
                                {45, 5, K},
                                {6, 20, K},
                                {45, 20, K},
                                {7, 6, S},
                                {5, 4, F}}},
                      DrawCase{"Disabled",
                               DIS,
                               {{0, 23, K},
                                {59, 1, K},
                                {1, 22, D},
                                {1, 1, W},
                                {49, 10, D},
                                {50, 10, W},
                                // grey arrow with white highlights at its right ends
                                {52, 11, D},
                                {55, 11, D},
                                {56, 11, W},
                                {53, 12, D},
                                {54, 12, D},
                                {55, 12, W},
                                {54, 13, W},
                                // no swatch
                                {5, 4, F},
                                {44, 19, F},
                                {20, 10, F}}},
                      DrawCase{
                          "Focused",
                          FOC,
                          {// dotted frame: every other pixel from L + 3, T + 3 up to R - 5, B - 5
                           {3, 3, K},
                           {4, 3, F},
                           {5, 3, K},
                           {55, 3, K},
                           {56, 3, K},
                           {57, 3, F},
                           {3, 20, K},
                           {4, 20, F},
                           {55, 20, K},
                           {56, 20, F},
                           {3, 4, F},
                           {3, 5, K},
                           {3, 19, K},
                           {3, 21, F},
                           {56, 5, K},
                           {56, 6, F},
                           {56, 19, K},
                           // the swatch and arrow as ever
                           {6, 5, S},
                           {54, 13, K}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ColorBtn, FaceIsTheButtonFaceWhenMadeAndTheOwnersColourShows) {
    CColorBtn* btn;
    {
        FacePalette face;
        btn = new CColorBtn;
    }
    // A later change of the desktop's colours does not reach a made button.
    btn->m_color = RGB(1, 2, 3);
    btn->resize(60, 24);
    QImage image(60, 24, QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    btn->render(&image);
    EXPECT_EQ(At(image, 2, 2), kFace);
    EXPECT_EQ(At(image, 20, 10), RGB(1, 2, 3));
    // The real widget draws the pressed and the disabled look too.
    btn->setDown(true);
    btn->render(&image);
    EXPECT_EQ(At(image, 0, 0), kDark);
    EXPECT_EQ(At(image, 21, 11), RGB(1, 2, 3));
    btn->setDown(false);
    btn->setEnabled(false);
    btn->render(&image);
    EXPECT_EQ(At(image, 20, 10), kFace);
    EXPECT_EQ(At(image, 56, 11), RGB(255, 255, 255));
    delete btn;
}

// Popup placement.

struct PlaceCase {
    const char* name;
    QRect button;
    QRect screen;
    QPoint expected;
};
void PrintTo(const PlaceCase& c, std::ostream* os) {
    *os << c.name;
}

class PopupPlace : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(PopupPlace, BelowTheButtonUnlessAnEdgeIsInTheWay) {
    const PlaceCase& c = GetParam();
    const QRect rc = CColorBtnDlg::PlacePopup(c.button, QSize(80, 120), c.screen);
    EXPECT_EQ(rc.topLeft(), c.expected);
    EXPECT_EQ(rc.size(), QSize(80, 120));
}

INSTANTIATE_TEST_SUITE_P(
    Edges, PopupPlace,
    ::testing::Values(PlaceCase{"Below", QRect(100, 200, 60, 20), QRect(0, 0, 1024, 768),
                                QPoint(100, 220)},
                      // Just fits: the popup's bottom is the screen's.
                      PlaceCase{"EndsAtTheBottom", QRect(100, 628, 60, 20), QRect(0, 0, 1024, 768),
                                QPoint(100, 648)},
                      // One pixel too low: above, ending at the button's top edge.
                      PlaceCase{"AboveNearTheBottom", QRect(100, 629, 60, 20),
                                QRect(0, 0, 1024, 768), QPoint(100, 509)},
                      PlaceCase{"EndsAtTheRight", QRect(944, 200, 60, 20), QRect(0, 0, 1024, 768),
                                QPoint(944, 220)},
                      PlaceCase{"ShiftedLeftAtTheRight", QRect(1000, 200, 20, 20),
                                QRect(0, 0, 1024, 768), QPoint(944, 220)},
                      PlaceCase{"BottomRightCorner", QRect(1000, 740, 20, 20),
                                QRect(0, 0, 1024, 768), QPoint(944, 620)},
                      // The screen that holds the button, wherever it lies on the desktop.
                      PlaceCase{"SecondScreen", QRect(2900, 1000, 60, 20),
                                QRect(1920, 0, 1024, 1080), QPoint(2864, 880)}),
    [](const auto& info) { return std::string(info.param.name); });

// The real popup under a real button.

// A click as the held mouse delivers it: to the popup, at a point of it.
void ClickAt(CColorBtnDlg& dlg, QPoint p) {
    QTest::mouseClick(&dlg, Qt::LeftButton, {}, p);
}

class ColorBtnPopup : public ::testing::Test {
protected:
    void SetUp() override {
        CColorBtnDlg::Palette() = CColorPalette();
        m_window.resize(200, 120);
        m_btn = new CColorBtn(&m_window);
        m_btn->setGeometry(20, 30, 60, 24);
        m_btn->m_color = RGB(9, 9, 9);
        m_window.show();
    }
    void TearDown() override { CColorBtnDlg::Palette() = CColorPalette(); }

    // Clicks the button; drive runs with the open popup.
    void OpenPalette(std::function<void(CColorBtnDlg&)> drive) {
        bool driven = false;
        DriveActiveModal([&](QWidget* w) {
            auto* dlg = qobject_cast<CColorBtnDlg*>(w);
            ASSERT_NE(dlg, nullptr);
            driven = true;
            drive(*dlg);
        });
        QTest::mouseClick(m_btn, Qt::LeftButton);
        EXPECT_TRUE(driven);
    }
    static QPoint CentreOf(CColorBtnDlg& dlg, QWidget* child) {
        return child->mapTo(&dlg, child->rect().center());
    }

    QWidget m_window;
    CColorBtn* m_btn = nullptr;
};

TEST_F(ColorBtnPopup, OpensBelowTheButtonHoldingTheMouseAndFocusOnTheFirstSwatch) {
    OpenPalette([&](CColorBtnDlg& dlg) {
        EXPECT_EQ(dlg.pos(), m_btn->mapToGlobal(QPoint(0, m_btn->height())));
        EXPECT_EQ(QWidget::mouseGrabber(), &dlg);
        EXPECT_EQ(dlg.focusWidget(), dlg.Swatch(0));
        EXPECT_TRUE(dlg.windowFlags() & Qt::FramelessWindowHint);
        // Four columns of five rows, "Other..." under them across the width.
        EXPECT_EQ(dlg.Swatch(1)->y(), dlg.Swatch(0)->y());
        EXPECT_GT(dlg.Swatch(1)->x(), dlg.Swatch(0)->x() + dlg.Swatch(0)->width() - 1);
        EXPECT_EQ(dlg.Swatch(4)->x(), dlg.Swatch(0)->x());
        EXPECT_GT(dlg.Swatch(4)->y(), dlg.Swatch(0)->y() + dlg.Swatch(0)->height() - 1);
        EXPECT_GT(dlg.OtherButton()->y(), dlg.Swatch(19)->y() + dlg.Swatch(19)->height() - 1);
        EXPECT_EQ(dlg.OtherButton()->text(), QStringLiteral("Other..."));
        EXPECT_TRUE(dlg.rect().contains(dlg.OtherButton()->geometry()));
        // Each swatch shows its slot.
        QImage image(dlg.size(), QImage::Format_RGB32);
        image.setDevicePixelRatio(1);
        dlg.render(&image);
        for (int k : {0, 7, 13, 19}) {
            const QPoint c = CentreOf(dlg, dlg.Swatch(k));
            EXPECT_EQ(At(image, c.x(), c.y()), CColorBtnDlg::Palette().Color(k)) << k;
        }
    });
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(ColorBtnPopup, ClickOnASwatchPicksItAndTheButtonShowsIt) {
    OpenPalette([&](CColorBtnDlg& dlg) { ClickAt(dlg, CentreOf(dlg, dlg.Swatch(13))); });
    EXPECT_EQ(m_btn->m_color, RGB(255, 0, 0));
    EXPECT_EQ(m_btn->m_dlgPalette.m_nColorIndex, 13);
    EXPECT_EQ(CColorBtnDlg::Palette().Rank(13), 1);
    EXPECT_EQ(CColorBtnDlg::Palette().Rank(0), 2);
    QImage image(m_btn->size(), QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    m_btn->render(&image);
    EXPECT_EQ(At(image, 20, 10), RGB(255, 0, 0));
}

struct CloseCase {
    const char* name;
    void (*close)(CColorBtnDlg&);
};
void PrintTo(const CloseCase& c, std::ostream* os) {
    *os << c.name;
}

class ColorBtnPopupClose : public ColorBtnPopup, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ColorBtnPopupClose, ClosesWithoutAChange) {
    OpenPalette([&](CColorBtnDlg& dlg) {
        GetParam().close(dlg);
        EXPECT_FALSE(dlg.isVisible());
    });
    EXPECT_EQ(m_btn->m_color, RGB(9, 9, 9));
    EXPECT_EQ(m_btn->m_dlgPalette.m_nColorIndex, -1);
    EXPECT_EQ(CColorBtnDlg::Palette().Rank(0), 1);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ColorBtnPopupClose,
    ::testing::Values(
        CloseCase{"ClickLeftOfIt", [](CColorBtnDlg& d) { ClickAt(d, QPoint(-3, 5)); }},
        CloseCase{"ClickBelowIt", [](CColorBtnDlg& d) { ClickAt(d, QPoint(5, d.height() + 2)); }},
        CloseCase{"ClickOnTheButtonUnderIt",
                  [](CColorBtnDlg& d) {
                      ClickAt(d, d.mapFromGlobal(d.m_pButton->mapToGlobal(QPoint(5, 5))));
                  }},
        CloseCase{"Escape", [](CColorBtnDlg& d) { QTest::keyClick(&d, Qt::Key_Escape); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ColorBtnPopup, ClickOnTheFrameKeepsItOpen) {
    OpenPalette([&](CColorBtnDlg& dlg) {
        ClickAt(dlg, QPoint(1, 1));
        EXPECT_TRUE(dlg.isVisible());
        // A press on one swatch released over another picks neither.
        const QPoint a = CentreOf(dlg, dlg.Swatch(2)), b = CentreOf(dlg, dlg.Swatch(3));
        QTest::mousePress(&dlg, Qt::LeftButton, {}, a);
        EXPECT_TRUE(dlg.Swatch(2)->isDown());
        QTest::mouseRelease(&dlg, Qt::LeftButton, {}, b);
        EXPECT_FALSE(dlg.Swatch(2)->isDown());
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(QWidget::mouseGrabber(), &dlg);
    });
    EXPECT_EQ(m_btn->m_color, RGB(9, 9, 9));
}

struct KeyCase {
    const char* name;
    int tabs;
    Qt::Key key;
    int slot;
};
void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << c.name;
}

class ColorBtnPopupKeys : public ColorBtnPopup, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(ColorBtnPopupKeys, TabMovesAndTheKeyPicksTheFocusedSwatch) {
    const KeyCase& c = GetParam();
    OpenPalette([&](CColorBtnDlg& dlg) {
        for (int i = 0; i < c.tabs; ++i)
            QTest::keyClick(dlg.focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(dlg.focusWidget(), dlg.Swatch(c.slot));
        QTest::keyClick(dlg.focusWidget(), c.key);
    });
    EXPECT_EQ(m_btn->m_color, CColorBtnDlg::Palette().Color(c.slot));
    EXPECT_EQ(CColorBtnDlg::Palette().Rank(c.slot), 1);
}

INSTANTIATE_TEST_SUITE_P(Keys, ColorBtnPopupKeys,
                         ::testing::Values(KeyCase{"SpaceOnFirst", 0, Qt::Key_Space, 0},
                                           KeyCase{"SpaceAfterFiveTabs", 5, Qt::Key_Space, 5},
                                           KeyCase{"EnterPicksToo", 2, Qt::Key_Return, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

// "Other...": the real colour dialog answers with the given colour (or is cancelled).
void PickOther(CColorBtnDlg& dlg, std::optional<QColor> answer) {
    DriveActiveModal([answer](QWidget* w) {
        auto* colors = qobject_cast<QColorDialog*>(w);
        ASSERT_NE(colors, nullptr);
        if (answer) {
            colors->setCurrentColor(*answer);
            colors->accept();
        } else {
            colors->reject();
        }
    });
    QTest::mouseClick(&dlg, Qt::LeftButton, {},
                      dlg.OtherButton()->mapTo(&dlg, dlg.OtherButton()->rect().center()));
}

TEST_F(ColorBtnPopup, OtherColoursReplaceSlotsTenNineElevenEight) {
    const int expected[] = {10, 9, 11, 8};
    for (int i = 0; i < 4; ++i) {
        const QColor c(10 + i, 20, 30);
        OpenPalette([&](CColorBtnDlg& dlg) { PickOther(dlg, c); });
        EXPECT_EQ(m_btn->m_dlgPalette.m_nColorIndex, expected[i]);
        EXPECT_EQ(m_btn->m_color, RGB(10 + i, 20, 30));
        EXPECT_EQ(CColorBtnDlg::Palette().Color(expected[i]), RGB(10 + i, 20, 30));
    }
    // Another button of the program offers the same colours.
    auto* other = new CColorBtn(&m_window);
    other->setGeometry(100, 30, 60, 24);
    other->show();
    bool driven = false;
    DriveActiveModal([&](QWidget* w) {
        auto* dlg = qobject_cast<CColorBtnDlg*>(w);
        ASSERT_NE(dlg, nullptr);
        driven = true;
        QImage image(dlg->size(), QImage::Format_RGB32);
        image.setDevicePixelRatio(1);
        dlg->render(&image);
        const QPoint c = CentreOf(*dlg, dlg->Swatch(10));
        EXPECT_EQ(At(image, c.x(), c.y()), RGB(10, 20, 30));
    });
    QTest::mouseClick(other, Qt::LeftButton);
    EXPECT_TRUE(driven);
}

// A custom colour added in "Other..." stays for the run; the settings file
// Qt shares between programs keeps what it held, so a restart starts afresh.
TEST_F(ColorBtnPopup, CustomColoursAreKeptForTheRunOnly) {
    QTemporaryDir config;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
    const QString file = QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName();
    for (const bool existed : {false, true}) {
        if (existed) {
            QSettings other(QSettings::UserScope, QStringLiteral("QtProject"));
            other.setValue(QStringLiteral("Qt/customColors/0"), 0xFF123456u);
        }
        OpenPalette([&](CColorBtnDlg& dlg) {
            DriveActiveModal([](QWidget* w) {
                auto* colors = qobject_cast<QColorDialog*>(w);
                ASSERT_NE(colors, nullptr);
                QColorDialog::setCustomColor(3, QColor(1, 2, 3)); // "Add to Custom Colors"
                colors->setCurrentColor(QColor(1, 2, 3));
                colors->accept();
            });
            QTest::mouseClick(&dlg, Qt::LeftButton, {},
                              dlg.OtherButton()->mapTo(&dlg, dlg.OtherButton()->rect().center()));
        });
        EXPECT_EQ(QColorDialog::customColor(3), QColor(1, 2, 3));
        EXPECT_EQ(QFileInfo::exists(file), existed);
        if (existed) {
            QSettings other(QSettings::UserScope, QStringLiteral("QtProject"));
            EXPECT_EQ(other.allKeys(), QStringList{QStringLiteral("Qt/customColors/0")});
            EXPECT_EQ(other.value(QStringLiteral("Qt/customColors/0")).toUInt(), 0xFF123456u);
        }
    }
}

TEST_F(ColorBtnPopup, OtherColourAlreadyThereSelectsItsSlot) {
    OpenPalette([&](CColorBtnDlg& dlg) { PickOther(dlg, QColor(255, 0, 0)); });
    EXPECT_EQ(m_btn->m_dlgPalette.m_nColorIndex, 13);
    EXPECT_EQ(m_btn->m_color, RGB(255, 0, 0));
    EXPECT_EQ(CColorBtnDlg::Palette().Color(10), RGB(255, 251, 240));
    EXPECT_EQ(CColorBtnDlg::Palette().Rank(13), 1);
}

TEST_F(ColorBtnPopup, CancelledOtherReturnsToTheOpenPaletteWhichStillClosesOnAClickOutside) {
    OpenPalette([&](CColorBtnDlg& dlg) {
        PickOther(dlg, std::nullopt);
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(QWidget::mouseGrabber(), &dlg);
        ClickAt(dlg, QPoint(dlg.width() + 4, 3));
        EXPECT_FALSE(dlg.isVisible());
    });
    EXPECT_EQ(m_btn->m_color, RGB(9, 9, 9));
    EXPECT_EQ(CColorBtnDlg::Palette().Color(10), RGB(255, 251, 240));
}

} // namespace

// The font dialog: the description a chosen font gets, and the real dialog
// started at the current font and accepted as a user would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFontDialog>
#include <QTimer>

#include "dialogs/FontDlg.h"
#include "fw/UserInterface.h"
#include "qt/QtFont.h"

namespace {

CFont Described(const char* face, int height, int weight = 400, BYTE italic = 0,
                BYTE underline = 0) {
    CFont f;
    f.m_strFaceName = face;
    f.m_nHeight = height;
    f.m_nWeight = weight;
    f.m_bItalic = italic;
    f.m_bUnderline = underline;
    return f;
}

struct ChoiceCase {
    const char* name;
    const char* family;
    double points; // 0: pixels
    int pixels;
    QFont::Weight weight;
    bool italic;
    // The description that comes back.
    int height, savedWeight, savedItalic, charSet;
};

class FontChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(FontChoice, GivesTheDescriptionTheSettingsStore) {
    const ChoiceCase& c = GetParam();
    QFont chosen(QString::fromUtf8(c.family));
    if (c.points > 0)
        chosen.setPointSizeF(c.points);
    else
        chosen.setPixelSize(c.pixels);
    chosen.setWeight(c.weight);
    chosen.setItalic(c.italic);
    const CFont original = Described("ＭＳ Ｐゴシック", 16, 400, 0, 1);
    const CFont f = CFontDlg::FromQFont(chosen, original, 96.0);
    EXPECT_EQ(f.m_strFaceName, c.family);
    EXPECT_EQ(f.m_nHeight, c.height);
    EXPECT_EQ(f.m_nWeight, c.savedWeight);
    EXPECT_EQ(f.m_bItalic, c.savedItalic);
    EXPECT_EQ(f.m_bUnderline, 1) << "no underline control: it stays as it was";
    EXPECT_EQ(f.m_nCharSet, c.charSet);
}

INSTANTIATE_TEST_SUITE_P(FontDlg, FontChoice,
                         ::testing::Values(ChoiceCase{"JapaneseTwelvePoints", "IPAGothic", 12, 0,
                                                      QFont::Normal, false, -16, 400, 0, 128},
                                           ChoiceCase{"JapaneseBoldItalicNinePoints",
                                                      "Noto Sans CJK JP", 9, 0, QFont::Bold, true,
                                                      -12, 700, 1, 128},
                                           ChoiceCase{"LatinFace", "DejaVu Sans", 10.5, 0,
                                                      QFont::Normal, false, -14, 400, 0, 0},
                                           ChoiceCase{"PixelSized", "DejaVu Sans", 0, 20,
                                                      QFont::Light, false, -20, 300, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FontDlg, AKeptFaceKeepsTheNameItIsStoredUnder) {
    const CFont original = Described("ＭＳ Ｐゴシック", -13);
    const QFont start = CFontDlg::ToQFont(original, 96.0);
    EXPECT_NE(start.family(), QString::fromUtf8("ＭＳ Ｐゴシック"))
        << "the dialog shows the installed face";
    EXPECT_NEAR(start.pointSizeF(), 9.75, 0.01);
    const CFont back = CFontDlg::FromQFont(start, original, 96.0);
    EXPECT_EQ(back.m_strFaceName, "ＭＳ Ｐゴシック");
    EXPECT_EQ(back.m_nHeight, -13);
    EXPECT_EQ(back.m_nCharSet, 128);
}

TEST(FontDlg, TheRealDialogStartsAtTheFontOffersNoEffectsAndAnswersOk) {
    CFontDlg dlg(Described("DejaVu Sans", -20, 700, 1, 0));
    bool sawDialog = false, effectsShown = true;
    QString startFamily;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
        if (!d)
            return;
        sawDialog = true;
        startFamily = d->currentFont().family();
        effectsShown = false;
        for (QCheckBox* box : d->findChildren<QCheckBox*>())
            effectsShown = effectsShown || box->isVisible();
        d->accept();
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    ASSERT_TRUE(sawDialog);
    EXPECT_EQ(startFamily, QStringLiteral("DejaVu Sans"));
    EXPECT_FALSE(effectsShown);
    EXPECT_EQ(dlg.m_font.m_strFaceName, "DejaVu Sans");
    EXPECT_EQ(dlg.m_font.m_nHeight, -20);
    EXPECT_EQ(dlg.m_font.m_nWeight, 700);
    EXPECT_EQ(dlg.m_font.m_bItalic, 1);
    EXPECT_EQ(dlg.m_font.m_nCharSet, 0);
}

struct UnchangedCase {
    const char* name;
    CFont start;
    int height, weight, italic, underline; // the record that comes back
};

class FontOkUnchanged : public ::testing::TestWithParam<UnchangedCase> {};

// OK without touching anything gives the record back as it went in, but for
// the forms the dialog always writes: a negative character height, flags 0 or 1.
TEST_P(FontOkUnchanged, GivesTheRecordBack) {
    const UnchangedCase& c = GetParam();
    CFontDlg dlg(c.start);
    QTimer::singleShot(0, [] {
        if (auto* d = qobject_cast<QFontDialog*>(QApplication::activeModalWidget()))
            d->accept();
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_font.m_strFaceName, c.start.m_strFaceName);
    EXPECT_EQ(dlg.m_font.m_nHeight, c.height ? c.height : -QtFontFor(c.start).pixelSize());
    EXPECT_EQ(dlg.m_font.m_nWeight, c.weight);
    EXPECT_EQ(dlg.m_font.m_bItalic, c.italic);
    EXPECT_EQ(dlg.m_font.m_bUnderline, c.underline);
}

// IPA Gothic comes with a regular style only.
INSTANTIATE_TEST_SUITE_P(
    FontDlg, FontOkUnchanged,
    ::testing::Values(
        UnchangedCase{"CharacterHeightKept", Described("IPAGothic", -13), -13, 400, 0, 0},
        // 16 pixels of cell height is no whole point size: the same font, as a character height.
        UnchangedCase{"CellHeightAsCharacterHeight", Described("IPAGothic", 16), 0, 400, 0, 0},
        UnchangedCase{"BoldItalicOfAFaceWithoutThem", Described("IPAGothic", -16, 700, 1), -16, 700,
                      1, 0},
        UnchangedCase{"FlagsAsZeroOrOne", Described("IPAGothic", -16, 400, 2, 2), -16, 400, 1, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FontDlg, CancelKeepsTheFont) {
    const CFont start = Described("IPAGothic", -16);
    CFontDlg dlg(start);
    QTimer::singleShot(0, [] {
        if (auto* d = qobject_cast<QFontDialog*>(QApplication::activeModalWidget()))
            d->reject();
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_font.m_strFaceName, "IPAGothic");
    EXPECT_EQ(dlg.m_font.m_nHeight, -16);
}

} // namespace

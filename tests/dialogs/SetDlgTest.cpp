// The settings dialog, driven for real: its controls, the number rules and
// their messages, and the colours it stores on OK.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <ostream>

#include <clocale>
#include <cstdlib>
#include <map>
#include <set>
#include <vector>

#include "DlgTestUtil.h"
#include "ModalDriver.h"
#include "dialogs/DialogUnits.h"
#include "dialogs/SetDlg.h"
#include "fw/Profile.h"
#include "fw/UserInterface.h"
#include "model/DisplaySettings.h"
#include "ScriptedAnswers.h"

namespace {

// A profile that remembers the order of its writes.
class CLoggingProfile : public CMemoryProfile {
public:
    bool WriteProfileInt(const std::string& section, const std::string& entry, int n) override {
        m_writes.push_back(section + "/" + entry);
        return CMemoryProfile::WriteProfileInt(section, entry, n);
    }
    std::vector<std::string> m_writes;
};

class SetDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        AfxSetProfile(&m_profile);
        m_dlg.m_look = LoadDisplaySettings(m_profile);
        CColorBtnDlg::Palette() = CColorPalette();
        m_dlg.m_nColumnWidth = 10;
        m_dlg.m_nLineNameWidth = 12;
        m_dlg.m_nCsvMark = 1;
        m_dlg.m_dLineHeightRate = 1.5;
        m_dlg.m_bOpenLastFile = 1;
    }
    void TearDown() override {
        CColorBtnDlg::Palette() = CColorPalette();
        AfxSetProfile(nullptr);
    }
    QLineEdit* Box(int id) { return m_dlg.findChild<QLineEdit*>(QStringLiteral("idc%1").arg(id)); }
    CColorBtn* ColorButton(int id) {
        return m_dlg.findChild<CColorBtn*>(QStringLiteral("idc%1").arg(id));
    }
    QComboBox* Marks() { return m_dlg.findChild<QComboBox*>("idc1004"); }
    QCheckBox* OpenLast() { return m_dlg.findChild<QCheckBox*>("idc1020"); }
    QPushButton* Button(const char* name) { return m_dlg.findChild<QPushButton*>(name); }

    CScriptedAnswers m_ui;
    CLoggingProfile m_profile;
    CSetDlg m_dlg;
};

TEST_F(SetDlgTest, MembersShowInTheControls) {
    m_dlg.m_look.SelColor = RGB(1, 2, 3);
    DriveNextModal(m_dlg, [&] {
        EXPECT_EQ(Box(1001)->text(), QStringLiteral("12"));
        EXPECT_EQ(Box(1002)->text(), QStringLiteral("10"));
        EXPECT_EQ(Box(1003)->text(), QStringLiteral("1.5"));
        EXPECT_EQ(Marks()->currentIndex(), 1);
        EXPECT_EQ(Marks()->currentText(), QStringLiteral("1と0"));
        EXPECT_TRUE(OpenLast()->isChecked());
        EXPECT_EQ(ColorButton(1017)->m_color, RGB(1, 2, 3));
        EXPECT_EQ(ColorButton(1019)->m_color, 0x800000u);
        EXPECT_EQ(m_dlg.focusWidget(), Box(1001));
    });
    EXPECT_EQ(m_dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(m_dlg.m_nLineNameWidth, 12u);
    EXPECT_TRUE(m_ui.m_shown.empty());
}

TEST_F(SetDlgTest, TextsOrderAndLayoutFollowTheTemplate) {
    EXPECT_EQ(m_dlg.windowTitle(), QStringLiteral("設定"));
    CDialogUnits du(m_dlg.font());
    EXPECT_EQ(m_dlg.size(), du.Size(251, 187));
    ASSERT_EQ(Marks()->count(), 0); // filled at initialisation
    DriveNextModal(m_dlg, [&] {
        ASSERT_EQ(Marks()->count(), 2);
        EXPECT_EQ(Marks()->itemText(0), QStringLiteral("○と×"));
        EXPECT_FALSE(Marks()->isEditable());
    });
    m_dlg.DoModal();
    EXPECT_TRUE(Button("idok")->isDefault());
    EXPECT_EQ(Button("idcancel")->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    EXPECT_EQ(OpenLast()->text(), QStringLiteral("前回ファイルを開く(&A)"));

    // Each label names the control after it.
    const std::map<QString, QString> buddies = {
        {"行名の幅(&W):", "idc1001"},       {"列名の幅(&L):", "idc1002"},
        {"行の高さ(&H):", "idc1003"},       {"CSV出力時のマーク(&M):", "idc1004"},
        {"枠線・縦線の色(&K):", "idc1011"}, {"横線の色(&Y):", "idc1012"},
        {"文字の色(&S):", "idc1013"},       {"チェックの色(&C):", "idc1014"},
        {"背景色(&B):", "idc1015"},         {"チェック背景色(&V):", "idc1016"},
        {"選択色(&J):", "idc1017"},         {"選択文字色(&T):", "idc1018"},
        {"カーソル色(&X):", "idc1019"}};
    std::set<QString> seen;
    bool hint = false;
    for (QLabel* l : m_dlg.findChildren<QLabel*>()) {
        if (l->text() == QStringLiteral("文字数、小数点可")) {
            hint = true;
            // Beside the row-height box.
            EXPECT_GT(l->x(), Box(1003)->geometry().right());
            EXPECT_LT(std::abs(l->geometry().center().y() - Box(1003)->geometry().center().y()), 6);
            continue;
        }
        auto it = buddies.find(l->text());
        ASSERT_NE(it, buddies.end()) << l->text().toStdString();
        ASSERT_NE(l->buddy(), nullptr);
        EXPECT_EQ(l->buddy()->objectName(), it->second);
        // On the control's row, to its left, wide enough for its text.
        EXPECT_LT(l->geometry().right(), l->buddy()->x());
        EXPECT_LT(std::abs(l->geometry().center().y() - l->buddy()->geometry().center().y()), 6);
        EXPECT_GE(l->width(), l->sizeHint().width()) << l->text().toStdString();
        seen.insert(l->text());
    }
    EXPECT_TRUE(hint);
    EXPECT_EQ(seen.size(), buddies.size());

    // Tab order as the template lists the controls.
    const QStringList expected = {"idc1001", "idc1002", "idc1003", "idc1004", "idok",    "idcancel",
                                  "idc1011", "idc1012", "idc1013", "idc1014", "idc1015", "idc1016",
                                  "idc1017", "idc1018", "idc1019", "idc1020"};
    QStringList order;
    QWidget* w = Box(1001);
    for (int i = 0; i < 40 && order.size() < expected.size(); ++i, w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus)
            order << w->objectName();
    EXPECT_EQ(order, expected);

    // Every control inside the dialog and none over another.
    QList<QWidget*> controls;
    for (QWidget* c : m_dlg.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!c->isWindow())
            controls << c;
    for (int i = 0; i < controls.size(); ++i) {
        EXPECT_TRUE(m_dlg.rect().contains(controls[i]->geometry()))
            << controls[i]->objectName().toStdString();
        for (int j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                << controls[i]->objectName().toStdString() << " "
                << controls[j]->objectName().toStdString();
    }
}

// The number rules, through the real boxes and the OK button.
struct NumberCase {
    const char* name;
    const char* columnWidth;
    const char* lineNameWidth;
    const char* height;
    const char* message; // nullptr: accepted
    int focusBox;
};
void PrintTo(const NumberCase& c, std::ostream* os) {
    *os << c.name;
}

class SetDlgNumbers : public SetDlgTest, public ::testing::WithParamInterface<NumberCase> {};

TEST_P(SetDlgNumbers, AcceptedOrRejectedWithTheMessage) {
    const NumberCase& c = GetParam();
    bool stayedOpen = false;
    QWidget* focus = nullptr;
    bool selected = false;
    DriveNextModal(m_dlg, [&] {
        Box(1002)->setText(QString::fromUtf8(c.columnWidth));
        Box(1001)->setText(QString::fromUtf8(c.lineNameWidth));
        Box(1003)->setText(QString::fromUtf8(c.height));
        Marks()->setCurrentIndex(0);
        QTest::mouseClick(OpenLast(), Qt::LeftButton);
        QTest::mouseClick(Button("idok"), Qt::LeftButton);
        stayedOpen = m_dlg.isVisible();
        focus = m_dlg.focusWidget();
        if (auto* box = qobject_cast<QLineEdit*>(focus))
            selected = box->selectedText() == box->text();
    });
    const int result = m_dlg.DoModal();
    if (!c.message) {
        EXPECT_EQ(result, IDOK);
        EXPECT_TRUE(m_ui.m_shown.empty());
        EXPECT_EQ(m_dlg.m_nColumnWidth, std::stoul(c.columnWidth));
        EXPECT_EQ(m_dlg.m_nLineNameWidth, std::stoul(c.lineNameWidth));
        EXPECT_EQ(m_dlg.m_dLineHeightRate, std::stod(c.height));
        EXPECT_EQ(m_dlg.m_nCsvMark, 0);
        EXPECT_EQ(m_dlg.m_bOpenLastFile, 0);
        return;
    }
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(result, IDCANCEL);
    ASSERT_EQ(m_ui.m_shown.size(), 1u);
    EXPECT_EQ(m_ui.m_shown[0].text, c.message);
    EXPECT_EQ(m_ui.m_shown[0].type, UINT(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(focus, Box(c.focusBox));
    EXPECT_TRUE(selected);
    // Nothing reaches the members from a rejected OK.
    EXPECT_EQ(m_dlg.m_nColumnWidth, 10u);
    EXPECT_EQ(m_dlg.m_nLineNameWidth, 12u);
    EXPECT_EQ(m_dlg.m_dLineHeightRate, 1.5);
    EXPECT_EQ(m_dlg.m_nCsvMark, 1);
    EXPECT_EQ(m_dlg.m_bOpenLastFile, 1);
}

const char kInt[] = "正の整数を入力してください。";
const char kNum[] = "数字を入力してください。";
const char kRange[] = "1 から 100 までの数字を入力してください。";

INSTANTIATE_TEST_SUITE_P(
    Rules, SetDlgNumbers,
    ::testing::Values(
        NumberCase{"HeightOne", "10", "10", "1", nullptr, 0},
        NumberCase{"HeightHundred", "10", "10", "100", nullptr, 0},
        NumberCase{"HeightBlanksAround", "10", "10", " 2.5 ", nullptr, 0},
        NumberCase{"HeightTabsAround", "10", "10", "\t3.25\t", nullptr, 0},
        NumberCase{"HeightExponent", "10", "10", "1e1", nullptr, 0},
        NumberCase{"HeightPlusSign", "10", "10", "+7", nullptr, 0},
        NumberCase{"HeightJustBelow", "10", "10", "0.99", kRange, 1003},
        NumberCase{"HeightJustAbove", "10", "10", "100.5", kRange, 1003},
        NumberCase{"HeightZero", "10", "10", "0", kRange, 1003},
        NumberCase{"HeightNegative", "10", "10", "-5", kRange, 1003},
        NumberCase{"HeightTooLargeForANumber", "10", "10", "1e999", kRange, 1003},
        // Too small reads as 0, and a 0 that does not start with "0" is no number.
        NumberCase{"HeightTooSmallForANumber", "10", "10", "1e-400", kNum, 1003},
        NumberCase{"HeightTooSmallWithZeros", "10", "10", "0.0001e-400", kRange, 1003},
        NumberCase{"HeightLetters", "10", "10", "abc", kNum, 1003},
        NumberCase{"HeightEmpty", "10", "10", "", kNum, 1003},
        NumberCase{"HeightBlanksOnly", "10", "10", "   ", kNum, 1003},
        NumberCase{"HeightTrailingLetter", "10", "10", "2.5x", kNum, 1003},
        NumberCase{"HeightDecimalComma", "10", "10", "1,5", kNum, 1003},
        NumberCase{"HeightBlankInside", "10", "10", "2 5", kNum, 1003},
        NumberCase{"HeightNotANumber", "10", "10", "nan", kNum, 1003},
        NumberCase{"HeightInfinity", "10", "10", "inf", kNum, 1003},
        NumberCase{"HeightHex", "10", "10", "0x10", kNum, 1003},
        NumberCase{"HeightFullWidthDigit", "10", "10", "２", kNum, 1003},
        // Only the first 31 characters are read.
        NumberCase{"HeightPastCharacter31Ignored", "10", "10", "2                              x",
                   nullptr, 0},
        NumberCase{"WidthZero", "0", "0", "1.5", nullptr, 0},
        NumberCase{"WidthBlanksAround", " 12\t", "7", "1.5", nullptr, 0},
        NumberCase{"WidthWidest", "32767", "32767", "1.5", nullptr, 0},
        NumberCase{"WidthTooWideForTheGrid", "32768", "10", "1.5", kInt, 1002},
        NumberCase{"WidthPast32Bits", "4294967296", "10", "1.5", kInt, 1002},
        NumberCase{"WidthNegative", "-1", "10", "1.5", kInt, 1002},
        NumberCase{"WidthFraction", "1.5", "10", "1.5", kInt, 1002},
        NumberCase{"WidthEmpty", "", "10", "1.5", kInt, 1002},
        NumberCase{"WidthLetters", "10a", "10", "1.5", kInt, 1002},
        NumberCase{"LineNameWidthNegative", "10", "-1", "1.5", kInt, 1001},
        NumberCase{"LineNameWidthEmpty", "10", "", "1.5", kInt, 1001},
        // The column width is checked first, then the row-name width, then the height.
        NumberCase{"ColumnWidthBeforeLineNameWidth", "x", "y", "abc", kInt, 1002},
        NumberCase{"WidthsBeforeHeight", "10", "y", "abc", kInt, 1001}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SetDlgTest, OkStoresEachButtonsColourUnderItsNameInOrder) {
    const std::map<int, std::string> names = {
        {1011, "WakuColor"},  {1012, "LineColor"},    {1013, "TextColor"},
        {1014, "CheckColor"}, {1015, "BackColor"},    {1016, "CheckBackColor"},
        {1017, "SelColor"},   {1018, "SelTextColor"}, {1019, "CellColor"}};
    DriveNextModal(m_dlg, [&] {
        for (const auto& [id, name] : names)
            ColorButton(id)->m_color = RGB(id % 256, 7, 9);
        QTest::mouseClick(Button("idok"), Qt::LeftButton);
    });
    ASSERT_EQ(m_dlg.DoModal(), IDOK);
    for (const auto& [id, name] : names)
        EXPECT_EQ(m_profile.GetProfileInt("Tavrel", name, -1), int(RGB(id % 256, 7, 9))) << name;
    const std::vector<std::string> order = {
        "Tavrel/WakuColor",  "Tavrel/LineColor", "Tavrel/TextColor",
        "Tavrel/CheckColor", "Tavrel/BackColor", "Tavrel/CheckBackColor",
        "Tavrel/SelColor",   "Tavrel/CellColor", "Tavrel/SelTextColor"};
    EXPECT_EQ(m_profile.m_writes, order);
    EXPECT_EQ(m_dlg.m_look.BackColor, RGB(1015 % 256, 7, 9));
    EXPECT_EQ(m_dlg.m_look.CheckBackColor, RGB(1016 % 256, 7, 9));
    EXPECT_EQ(m_dlg.m_look.SelTextColor, RGB(1018 % 256, 7, 9));
    EXPECT_EQ(m_dlg.m_look.m_penWaku.m_color, RGB(1011 % 256, 7, 9));
    EXPECT_EQ(m_dlg.m_look.m_penLine.m_color, RGB(1012 % 256, 7, 9));
    EXPECT_EQ(m_dlg.m_look.m_penCheck.m_color, RGB(1014 % 256, 7, 9));
    EXPECT_TRUE(m_dlg.ColorsStored());
}

// End to end: a colour picked on a real button, then a bad row height.
TEST_F(SetDlgTest, ColoursAreStoredAndInUseEvenWhenANumberKeepsTheDialogOpen) {
    bool stayedOpen = false;
    DriveNextModal(m_dlg, [&] {
        DriveActiveModal([](QWidget* w) {
            auto* popup = qobject_cast<CColorBtnDlg*>(w);
            ASSERT_NE(popup, nullptr);
            QWidget* red = popup->Swatch(13);
            QTest::mouseClick(popup, Qt::LeftButton, {}, red->mapTo(popup, red->rect().center()));
        });
        QTest::mouseClick(ColorButton(1011), Qt::LeftButton);
        EXPECT_EQ(ColorButton(1011)->m_color, RGB(255, 0, 0));
        Box(1003)->setText(QStringLiteral("0.5"));
        QTest::mouseClick(Button("idok"), Qt::LeftButton);
        stayedOpen = m_dlg.isVisible();
        // The user gives up.
        QTest::mouseClick(Button("idcancel"), Qt::LeftButton);
    });
    EXPECT_EQ(m_dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(m_ui.m_shown.size(), 1u);
    EXPECT_EQ(m_ui.m_shown[0].text, kRange);
    EXPECT_EQ(m_profile.GetProfileInt("Tavrel", "WakuColor", -1), int(RGB(255, 0, 0)));
    EXPECT_EQ(m_dlg.m_look.WakuColor, RGB(255, 0, 0));
    EXPECT_EQ(m_dlg.m_look.m_penWaku.m_color, RGB(255, 0, 0));
    EXPECT_TRUE(m_dlg.ColorsStored());
    EXPECT_EQ(m_dlg.m_dLineHeightRate, 1.5);
}

TEST_F(SetDlgTest, CancelStoresNothing) {
    DriveNextModal(m_dlg, [&] {
        ColorButton(1015)->m_color = RGB(1, 1, 1);
        Box(1001)->setText(QStringLiteral("40"));
        QTest::mouseClick(Button("idcancel"), Qt::LeftButton);
    });
    EXPECT_EQ(m_dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(m_profile.m_writes.empty());
    EXPECT_EQ(m_dlg.m_look.BackColor, 0xFFFFFFu);
    EXPECT_FALSE(m_dlg.ColorsStored());
    EXPECT_EQ(m_dlg.m_nLineNameWidth, 12u);
}

TEST_F(SetDlgTest, MarkStyleTheListLacksShowsNoSelectionAndComesBackAsNone) {
    m_dlg.m_nCsvMark = 5;
    DriveNextModal(m_dlg, [&] {
        EXPECT_EQ(Marks()->currentIndex(), -1);
        QTest::mouseClick(Button("idok"), Qt::LeftButton);
    });
    EXPECT_EQ(m_dlg.DoModal(), IDOK);
    EXPECT_EQ(m_dlg.m_nCsvMark, -1);
}

struct FormatCase {
    const char* name;
    double value;
    const char* text;
};
void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.name;
}

class SetDlgFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(SetDlgFormat, ShortestFormWithFifteenDigits) {
    EXPECT_EQ(CSetDlg::FormatRate(GetParam().value).toStdString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, SetDlgFormat,
                         ::testing::Values(FormatCase{"Half", 1.5, "1.5"},
                                           FormatCase{"Whole", 2.0, "2"},
                                           FormatCase{"Hundred", 100.0, "100"},
                                           FormatCase{"Third", 1.0 / 3.0, "0.333333333333333"},
                                           FormatCase{"SumRoundsAway", 0.1 + 0.2, "0.3"},
                                           FormatCase{"Large", 1e20, "1e+20"}),
                         [](const auto& info) { return std::string(info.param.name); });

// Under a locale that writes 1,5 the boxes still read and show 1.5.
class SetDlgLocale : public SetDlgTest {
protected:
    static void SetUpTestSuite() {
        s_dir = new QTemporaryDir;
        const QString target = QDir(s_dir->path()).filePath(QStringLiteral("de_DE.UTF-8"));
        const int rc =
            QProcess::execute(QStringLiteral("localedef"), {"-i", "de_DE", "-f", "UTF-8", target});
        if (rc == 0)
            qputenv("LOCPATH", s_dir->path().toLocal8Bit());
    }
    static void TearDownTestSuite() {
        qunsetenv("LOCPATH");
        delete s_dir;
    }
    void SetUp() override {
        m_bLocale = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
        SetDlgTest::SetUp();
    }
    void TearDown() override {
        std::setlocale(LC_ALL, "C");
        SetDlgTest::TearDown();
    }
    static QTemporaryDir* s_dir;
    bool m_bLocale = false;
};
QTemporaryDir* SetDlgLocale::s_dir = nullptr;

TEST_F(SetDlgLocale, NumbersReadAndShowWithADecimalPoint) {
    if (!m_bLocale)
        GTEST_SKIP() << "no German locale could be made here";
    char buf[16];
    std::snprintf(buf, sizeof buf, "%g", 1.5);
    ASSERT_STREQ(buf, "1,5"); // the locale is really in force
    DriveNextModal(m_dlg, [&] {
        EXPECT_EQ(Box(1003)->text(), QStringLiteral("1.5"));
        Box(1003)->setText(QStringLiteral("1,5"));
        QTest::mouseClick(Button("idok"), Qt::LeftButton);
        Box(1003)->setText(QStringLiteral("2.25"));
        QTest::mouseClick(Button("idok"), Qt::LeftButton);
    });
    EXPECT_EQ(m_dlg.DoModal(), IDOK);
    EXPECT_EQ(m_dlg.m_dLineHeightRate, 2.25);
    ASSERT_EQ(m_ui.m_shown.size(), 1u);
    EXPECT_EQ(m_ui.m_shown[0].text, kNum);
}

} // namespace

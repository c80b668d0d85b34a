// The new-file dialog driven for real with QTest, and the sheet the document
// builds from what it hands out.
#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "dialogs/NewFileDlg.h"
#include "dialogs/DialogUnits.h"
#include "fw/Cp932.h"
#include "fw/UserInterface.h"
#include "model/CheckItem.h"
#include "model/ColumnData.h"
#include "model/LineData.h"
#include "model/SheetFile.h"
#include "model/SheetIo.h"
#include "ScriptedAnswers.h"

namespace {

// Runs drive once the dialog shows; whatever happens, the dialog is closed
// afterwards so a failed expectation never leaves the test waiting.
void Drive(QDialog& dlg, std::function<void()> drive) {
    QTimer::singleShot(0, &dlg, [&dlg, drive] {
        drive();
        if (dlg.isVisible())
            dlg.reject();
    });
}

// Types text into the box; '\n' is the Enter key. ASCII goes as key
// strokes; anything else arrives as an input method commits it.
void Type(QWidget* box, const QString& text) {
    const QStringList parts = text.split(QChar('\n'));
    for (int i = 0; i < parts.size(); ++i) {
        if (i > 0)
            QTest::keyClick(box, Qt::Key_Return);
        const QString& part = parts[i];
        for (int j = 0; j < part.size();) {
            int k = j;
            const bool ascii = part[j].unicode() < 0x80;
            while (k < part.size() && (part[k].unicode() < 0x80) == ascii)
                ++k;
            if (ascii) {
                QTest::keyClicks(box, part.mid(j, k - j));
            } else {
                QInputMethodEvent commit;
                commit.setCommitString(part.mid(j, k - j));
                QApplication::sendEvent(box, &commit);
            }
            j = k;
        }
    }
}

class NewFileDlgTest : public ::testing::Test {
protected:
    void SetUp() override { m_owner.setGeometry(100, 100, 800, 600); }
    static QPlainTextEdit* Box(CNewFileDlg& d) { return d.findChild<QPlainTextEdit*>("1021"); }
    static QPushButton* Button(CNewFileDlg& d, const char* id) {
        return d.findChild<QPushButton*>(id);
    }

    CScriptedAnswers m_ui;
    QWidget m_owner;
};

TEST_F(NewFileDlgTest, TemplateTextsControlsAndSizeInDialogUnits) {
    CNewFileDlg dlg(&m_owner);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("新規ファイル作成"));
    CDialogUnits du(CDialogUnits::DialogFont());
    EXPECT_EQ(dlg.size(), du.Size(194, 153));

    QPlainTextEdit* box = Box(dlg);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_TRUE(dlg.rect().contains(box->geometry()));

    const QLabel* label = nullptr;
    for (QLabel* l : dlg.findChildren<QLabel*>()) {
        if (l->buddy() == box)
            label = l;
    }
    ASSERT_NE(label, nullptr) << "the label is the box's buddy";
    EXPECT_EQ(label->text(), QString::fromUtf8("行の入力(&R):\xE3\x80\x80一行が一項目"));

    ASSERT_NE(Button(dlg, "1"), nullptr);
    ASSERT_NE(Button(dlg, "2"), nullptr);
    EXPECT_EQ(Button(dlg, "1")->text(), QStringLiteral("作成"));
    EXPECT_EQ(Button(dlg, "2")->text(), QStringLiteral("データ無し"));
    EXPECT_TRUE(Button(dlg, "1")->isDefault());
    EXPECT_FALSE(Button(dlg, "2")->isDefault());
    // Controls sit inside the dialog and do not overlap.
    EXPECT_TRUE(dlg.rect().contains(Button(dlg, "1")->geometry()));
    EXPECT_TRUE(dlg.rect().contains(Button(dlg, "2")->geometry()));
    EXPECT_FALSE(box->geometry().intersects(Button(dlg, "1")->geometry()));
    EXPECT_FALSE(Button(dlg, "1")->geometry().intersects(Button(dlg, "2")->geometry()));
    EXPECT_FALSE(label->geometry().intersects(box->geometry()));
}

TEST_F(NewFileDlgTest, EnterBreaksTheLineAndCreateHandsOutCrLfText) {
    CNewFileDlg dlg(&m_owner);
    bool openAfterEnter = false;
    Drive(dlg, [&] {
        EXPECT_EQ(dlg.focusWidget(), Box(dlg));
        Type(Box(dlg), QStringLiteral("aa\nbb\n\ncc"));
        QTest::keyClick(Box(dlg), Qt::Key_Enter); // the keypad's Enter too
        QTest::keyClick(Box(dlg), Qt::Key_Backspace);
        openAfterEnter = dlg.isVisible();
        QTest::mouseClick(Button(dlg, "1"), Qt::LeftButton);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(openAfterEnter);
    EXPECT_EQ(dlg.m_strLines, QStringLiteral("aa\r\nbb\r\n\r\ncc"));
    EXPECT_EQ(dlg.LinesCp932(), "aa\r\nbb\r\n\r\ncc");
}

TEST_F(NewFileDlgTest, JapaneseTextIsHandedOutAsCodePage932) {
    CNewFileDlg dlg(&m_owner);
    Drive(dlg, [&] {
        // U+301C is what input methods here type for the wave dash.
        Type(Box(dlg), QString::fromUtf8("項目\n\xE3\x80\x9C"));
        QTest::mouseClick(Button(dlg, "1"), Qt::LeftButton);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.LinesCp932(), "\x8D\x80\x96\xDA\r\n\x81\x60");
    EXPECT_TRUE(m_ui.m_shown.empty());
}

struct CancelWay {
    const char* name;
    std::function<void(CNewFileDlg&)> cancel;
};

class NewFileDlgCancelTest : public NewFileDlgTest,
                             public ::testing::WithParamInterface<CancelWay> {};

TEST_P(NewFileDlgCancelTest, GivesCancelAndNoText) {
    CNewFileDlg dlg(&m_owner);
    bool closed = false;
    Drive(dlg, [&] {
        Type(Box(dlg), QStringLiteral("aa\nbb"));
        GetParam().cancel(dlg);
        closed = !dlg.isVisible();
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(closed);
    EXPECT_TRUE(dlg.m_strLines.isEmpty());
    EXPECT_TRUE(dlg.LinesCp932().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, NewFileDlgCancelTest,
    ::testing::Values(CancelWay{"NoDataButton",
                                [](CNewFileDlg& d) {
                                    QTest::mouseClick(d.findChild<QPushButton*>("2"),
                                                      Qt::LeftButton);
                                }},
                      CancelWay{"Escape",
                                [](CNewFileDlg& d) {
                                    QTest::keyClick(d.findChild<QPlainTextEdit*>("1021"),
                                                    Qt::Key_Escape);
                                }},
                      CancelWay{"CloseBox", [](CNewFileDlg& d) { d.close(); }}),
    [](const ::testing::TestParamInfo<CancelWay>& info) { return std::string(info.param.name); });

TEST_F(NewFileDlgTest, CentredOverItsOwnerOrTheScreen) {
    // Without an owner (and no active window) the screen is the reference.
    CNewFileDlg alone(nullptr);
    ASSERT_EQ(alone.parentWidget(), nullptr);
    QRect aloneFrame;
    Drive(alone, [&] { aloneFrame = alone.frameGeometry(); });
    alone.DoModal();
    const QPoint screenCentre = alone.screen()->availableGeometry().center();
    EXPECT_LE((aloneFrame.center() - screenCentre).manhattanLength(), 1);

    m_owner.show();
    CNewFileDlg owned(&m_owner);
    QRect ownedFrame;
    const QRect ownerFrame = m_owner.frameGeometry();
    Drive(owned, [&] { ownedFrame = owned.frameGeometry(); });
    owned.DoModal();
    EXPECT_LE((ownedFrame.center() - ownerFrame.center()).manhattanLength(), 1);
    m_owner.hide();
}

TEST_F(NewFileDlgTest, TextCodePage932CannotHoldIsRefusedAndTheDialogStaysOpen) {
    CNewFileDlg dlg(&m_owner);
    bool stayedOpen = false;
    Drive(dlg, [&] {
        Type(Box(dlg), QString::fromUtf8("ok\n\xF0\x9F\x98\x80"));
        QTest::mouseClick(Button(dlg, "1"), Qt::LeftButton);
        stayedOpen = dlg.isVisible();
        // The user takes the character out and tries again.
        QTest::keyClick(Box(dlg), Qt::Key_Backspace);
        QTest::mouseClick(Button(dlg, "1"), Qt::LeftButton);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(m_ui.m_shown.size(), 1u);
    EXPECT_NE(m_ui.m_shown[0].text.find("\xF0\x9F\x98\x80"), std::string::npos);
    EXPECT_EQ(m_ui.m_shown[0].type & MB_TYPEMASK, static_cast<UINT>(MB_OK));
    EXPECT_EQ(dlg.LinesCp932(), "ok\r\n");
}

TEST_F(NewFileDlgTest, ScriptedAnswerIsCheckedLikeTypedText) {
    m_ui.AnswerDialogs<CNewFileDlg>([](CNewFileDlg& d) {
        d.m_strLines = QStringLiteral("x\r\ny");
        return IDOK;
    });
    CNewFileDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.LinesCp932(), "x\r\ny");

    m_ui.AnswerDialogs<CNewFileDlg>([](CNewFileDlg& d) {
        d.m_strLines = QString::fromUtf8("\xF0\x9F\x98\x80");
        return IDOK;
    });
    CNewFileDlg refused;
    EXPECT_EQ(refused.DoModal(), IDCANCEL);
    EXPECT_EQ(m_ui.m_shown.size(), 1u);
}

// What the document does with the dialog's text: rows from the typed lines.
struct NewSheetCase {
    const char* name;
    const char* typed; // UTF-8, '\n' is Enter
    int widthBefore;
    std::vector<std::string> rows; // UTF-8
    int widthAfter;
};

class NewSheetFromDialogTest : public NewFileDlgTest,
                               public ::testing::WithParamInterface<NewSheetCase> {};

TEST_P(NewSheetFromDialogTest, RowsWidthAndOneCheckColumn) {
    const NewSheetCase& c = GetParam();
    CNewFileDlg dlg(&m_owner);
    Drive(dlg, [&] {
        Type(Box(dlg), QString::fromUtf8(c.typed));
        QTest::mouseClick(Button(dlg, "1"), Qt::LeftButton);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);

    CSheetFile sheet;
    sheet.m_nLineNameWidth = c.widthBefore;
    BuildNewSheet(sheet, dlg.LinesCp932());
    ASSERT_EQ(sheet.GetSize(), static_cast<int>(c.rows.size()));
    for (int i = 0; i < sheet.GetSize(); ++i) {
        EXPECT_EQ(sheet.GetAt(i)->m_strName, cp932::FromUtf8OrDie(c.rows[i])) << i;
        ASSERT_EQ(sheet.GetAt(i)->GetSize(), 1);
        auto* cell = dynamic_cast<const CCheckItem*>(sheet.GetAt(i)->GetAt(0));
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->m_bCheck, 0);
    }
    ASSERT_EQ(sheet.m_Columns.GetSize(), 1);
    EXPECT_EQ(sheet.m_Columns.GetAt(0)->m_strName, cp932::FromUtf8OrDie("チェック"));
    EXPECT_EQ(sheet.m_nLineNameWidth, c.widthAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NewSheetFromDialogTest,
    ::testing::Values(
        NewSheetCase{"EmptyLineSkipped", "aa\nbb\n\ncc", 10, {"aa", "bb", "cc"}, 10},
        NewSheetCase{"WidthNeverShrinks", "aa\nbb\n\ncc", 1, {"aa", "bb", "cc"}, 2},
        NewSheetCase{"FinalBreakAddsNoRow", "aa\nbb\n", 10, {"aa", "bb"}, 10},
        NewSheetCase{"OnlyBreaksGiveNoRows", "\n\n\n", 10, {}, 10},
        NewSheetCase{"NothingTyped", "", 10, {}, 10},
        NewSheetCase{
            "DoubleByteNameWidthInBytes", "ｱ\nあいうえおかき", 10, {"ｱ", "あいうえおかき"}, 14},
        NewSheetCase{
            "LongLastLineWithoutBreak", "a\nabcdefghijklmnop", 10, {"a", "abcdefghijklmnop"}, 16}),
    [](const ::testing::TestParamInfo<NewSheetCase>& info) {
        return std::string(info.param.name);
    });

} // namespace

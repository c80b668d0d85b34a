// The main window as it is built: the menu bar item by item, the tool bar in
// order, the status bar, the bar toggles, and the placement across restarts.
#include <algorithm>

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include "AppTestUtil.h"
#include "app/KeyLockState.h"
#include "document/SheetDocument.h"
#include "fw/CommandRoute.h"
#include "res/CommandTable.h"
#include "view/CommandActions.h"
#include "view/TavrelView.h"

namespace {

// The menu bar as the user sees it: "popup" lines, then "id text" per item, "-" for a separator.
const char* const kExpectedMenu[] = {
    "ﾌｧｲﾙ(&F)",
    "57600 新規作成(&N)\tCtrl+N",
    "57601 開く(&O)...\tCtrl+O",
    "57603 上書き保存(&S)\tCtrl+S",
    "57604 名前を付けて保存(&A)...",
    "-",
    "32780 CSVインポート(&I)...",
    "32781 CSV出力(&E)...",
    "32784 HTML出力(&H)...",
    "-",
    "57607 印刷(&P)...\tCtrl+P",
    "57609 印刷プレビュー(&V)...",
    "-",
    "57616 最近使ったﾌｧｲﾙ",
    "-",
    "57665 ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)",
    "編集(&E)",
    "57643 アンドゥ(&U)\tCtrl+Z",
    "57644 リドウ(&R)\tCtrl+Y",
    "-",
    "57635 切り取り(&T)\tCtrl+X",
    "57634 コピー(&C)\tCtrl+C",
    "57637 貼り付け - 挿入(&P)\tCtrl+V",
    "32809 貼り付け - 追加(&A)",
    "-",
    "32783 BMPでコピー(&B)",
    "-",
    "32791 全てにチェック(&K)...",
    "57633 全てのチェックを消去(&Y)...",
    "-",
    "32775 チェック(&H)\tSpace",
    "32853 次の未チェックへ移動(&X)\tCtrl+J",
    "-",
    "32850 検索(&F)...\tCtrl+F",
    "32851 次を検索(&N)\tF3",
    "32852 前を検索(&V)\tShift+F3",
    "行(&L)",
    "32771 行の追加(&A)...\tCtrl+A",
    "32790 行の挿入(&S)...",
    "32786 テキストを行に貼り付け(&T)...",
    "32776 行の編集(&E)...",
    "32777 行の削除(&D)...",
    "-",
    "32801 行を一つ上へ(&U)",
    "32802 行を一つ下へ(&W)",
    "-",
    "32792 この行全てにチェック(&L)...",
    "32794 この行全てのチェックをオフ(&X)...",
    "列(&C)",
    "32772 列の追加(&A)...",
    "32789 列の挿入(&S)...",
    "32785 テキストを列に貼り付け(&T)...",
    "32778 列の編集(&E)...",
    "32779 列の削除(&D)...",
    "-",
    "32805 列を一つ左へ(&L)",
    "32806 列を一つ右へ(&R)",
    "-",
    "32793 この列全てにチェック(&Z)...",
    "32795 この列全てのチェックをオフ(&J)...",
    "表示(&V)",
    "32782 設定(&O)...",
    "-",
    "32854 未チェックの行だけ表示(&U)",
    "-",
    "32787 この行のリンクファイルを開く(&H)",
    "32788 この列のリンクファイルを開く(&L)",
    "-",
    "32773 行のフォント(&F)...",
    "32774 列のフォント(&G)...",
    "-",
    "59392 ﾂｰﾙ ﾊﾞｰ(&T)",
    "59393 ｽﾃｰﾀｽ ﾊﾞｰ(&S)",
    "ﾍﾙﾌﾟ(&H)",
    "57667 ヘルプ(&C)",
    "32810 キーワードで検索(&S)",
    "-",
    "32835 ﾎｰﾑﾍﾟｰｼﾞへ(&H)",
    "-",
    "57664 ﾊﾞｰｼﾞｮﾝ情報(&A)...",
};

QStringList Describe(const QList<QAction*>& actions) {
    QStringList out;
    for (QAction* a : actions) {
        if (!a->isVisible())
            continue;
        if (a->isSeparator())
            out << QStringLiteral("-");
        else
            // The key column the menu draws from the shortcut.
            out << QString::number(a->data().toUInt()) + QChar(' ') + a->text() +
                       (a->shortcut().isEmpty() ? QString()
                                                : QChar('\t') + a->shortcut().toString());
    }
    return out;
}

struct Running : AppFixture {
    Running() { EXPECT_EQ(Start(), CTavrelApp::StartResult::Run); }
};

TEST(MenuBar, MatchesTheTableItemByItem) {
    Running f;
    QStringList got;
    for (QAction* popup : f.Frame().menuBar()->actions()) {
        got << popup->text();
        got << Describe(popup->menu()->actions());
    }
    QStringList expected;
    for (const char* line : kExpectedMenu)
        expected << QString::fromUtf8(line);
    ASSERT_EQ(got.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(got[i], expected[i]) << "item " << i;
}

TEST(MenuBar, RecentFilesTakeThePlaceholdersPlace) {
    Running f;
    QMenu* file = f.Frame().menuBar()->actions()[0]->menu();
    f.app->RecentFiles().Add(QStringLiteral("/tmp/one.tvr"));
    f.app->RecentFiles().Add(QStringLiteral("/tmp/two.tvr"));
    emit file->aboutToShow();
    const QStringList items = Describe(file->actions());
    EXPECT_EQ(items[12], QStringLiteral("57616 &1 /tmp/two.tvr"));
    EXPECT_EQ(items[13], QStringLiteral("57617 &2 /tmp/one.tvr"));
    EXPECT_EQ(items[14], QStringLiteral("-"));
    EXPECT_FALSE(items.contains(QStringLiteral("57616 最近使ったﾌｧｲﾙ")));
}

struct EnableCase {
    const char* name;
    UINT id;
    bool enabled;
};

class MenuEnable : public ::testing::TestWithParam<EnableCase> {};

// Commands without a handler are shown but disabled; those that have one follow their rules.
TEST_P(MenuEnable, StateBeforeTheMenuOpens) {
    Running f;
    int found = 0;
    for (QAction* popup : f.Frame().menuBar()->actions()) {
        // Every item starts enabled, so only the update before opening can disable it.
        for (QAction* a : popup->menu()->actions())
            a->setEnabled(true);
        emit popup->menu()->aboutToShow();
        for (QAction* a : popup->menu()->actions())
            if (a->data().toUInt() == GetParam().id && a->isVisible()) {
                ++found;
                EXPECT_EQ(a->isEnabled(), GetParam().enabled) << a->text().toStdString();
            }
    }
    EXPECT_EQ(found, 1) << "the command should be in exactly one menu";
}

INSTANTIATE_TEST_SUITE_P(
    Commands, MenuEnable,
    ::testing::Values(EnableCase{"New", ID_FILE_NEW, true}, EnableCase{"Save", ID_FILE_SAVE, true},
                      EnableCase{"CsvExport", ID_CSV_EXPORT, true},
                      EnableCase{"AddRow", ID_LINE_ADD, true},
                      EnableCase{"UndoWithoutHistory", ID_EDIT_UNDO, false},
                      EnableCase{"CheckWithoutCursor", ID_EDIT_CHECK, false},
                      EnableCase{"CopyAlwaysEnabled", ID_EDIT_COPY, true},
                      EnableCase{"RecentPlaceholder", ID_FILE_MRU_FILE1, false},
                      EnableCase{"ToolBarToggle", ID_VIEW_TOOLBAR, true},
                      EnableCase{"Exit", ID_APP_EXIT, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ToolBar, ButtonsInOrderWithTipsPromptsAndImages) {
    Running f;
    QToolBar* bar = f.Frame().ToolBar();
    EXPECT_EQ(bar->objectName(), QStringLiteral("59392"));
    EXPECT_EQ(bar->iconSize(), QSize(16, 15));
    const QStringList expected = {"57600 新規ﾌｧｲﾙ",
                                  "57601 開く",
                                  "57603 保存",
                                  "-",
                                  "57643 元に戻す",
                                  "57644 繰り返す",
                                  "-",
                                  "32771 行の追加",
                                  "32772 列の追加",
                                  "-",
                                  "32790 行の挿入",
                                  "32789 列の挿入",
                                  "-",
                                  "32777 行の削除",
                                  "32779 列の削除",
                                  "-",
                                  "32787 行のリンクファイル",
                                  "32788 列のリンクファイル",
                                  "-",
                                  "32801 行を一つ上へ",
                                  "32802 行を一つ下へ",
                                  "-",
                                  "32805 列を一つ左へ",
                                  "32806 列を一つ右へ",
                                  "-",
                                  "32781 CSV出力",
                                  "32784 HTML出力",
                                  "-",
                                  "32783 BMPでコピー",
                                  "-",
                                  "32854 未チェックの行だけ表示",
                                  "-",
                                  "57667 ヘルプ"};
    QStringList got;
    for (QAction* a : bar->actions())
        got << (a->isSeparator() ? QStringLiteral("-")
                                 : QString::number(a->data().toUInt()) + " " + a->toolTip());
    EXPECT_EQ(got, expected);
    QAction* save = bar->actions()[2];
    EXPECT_EQ(save->statusTip(), QStringLiteral("作業中のﾌｧｲﾙを上書きして保存"));
    EXPECT_FALSE(save->icon().isNull());
    // Buttons follow the enable rules once the program is idle.
    f.Frame().UpdateToolBar();
    EXPECT_FALSE(bar->actions()[4]->isEnabled()); // undo: no history yet
    EXPECT_TRUE(bar->actions()[16]->isEnabled()); // row link: always, even without a current row
    EXPECT_TRUE(bar->actions()[7]->isEnabled());
}

TEST(StatusBar, ReadyPromptsAndIndicators) {
    Running f;
    QStatusBar* bar = f.Frame().StatusBar();
    EXPECT_EQ(bar->objectName(), QStringLiteral("59393"));
    auto* message = bar->findChild<QLabel*>(QStringLiteral("0"));
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->text(), QStringLiteral("ﾚﾃﾞｨ"));
    QAction* open = f.Frame().ToolBar()->actions()[1];
    open->showStatusText(&f.Frame());
    EXPECT_EQ(message->text(), QStringLiteral("既存のﾌｧｲﾙを開く"));
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(&f.Frame(), &leave);
    EXPECT_EQ(message->text(), QStringLiteral("ﾚﾃﾞｨ"));

    // The indicators right of the message, left to right, each showing its
    // text only while its lock is on; the kana indicator never lights.
    f.Frame().show();
    std::vector<QLabel*> labels;
    for (QLabel* label : bar->findChildren<QLabel*>())
        if (label != message && label != f.Frame().CountsPane() && label != f.Frame().FilterPane())
            labels.push_back(label);
    std::sort(labels.begin(), labels.end(), [](QLabel* a, QLabel* b) { return a->x() < b->x(); });
    QStringList ids;
    for (QLabel* label : labels) {
        ids << label->objectName();
        EXPECT_GT(label->x(), message->x());
    }
    EXPECT_EQ(ids, QStringList({"59142", "59137", "59138", "59139"}));
    // The check counts sit between the message and the indicators.
    ASSERT_NE(f.Frame().CountsPane(), nullptr);
    EXPECT_GT(f.Frame().CountsPane()->x(), message->x());
    EXPECT_LT(f.Frame().CountsPane()->x(), labels.front()->x());
    auto texts = [&] {
        QStringList out;
        for (QLabel* label : labels)
            out << label->text();
        return out;
    };
    f.Frame().ShowLockState(kCapsLockBit | kNumLockBit | kScrollLockBit);
    EXPECT_EQ(texts(), QStringList({"", "CAP", "NUM", "SCRL"}));
    // Each label is wide enough for its text before it ever shows.
    for (QLabel* label : labels)
        EXPECT_GE(label->minimumWidth(), label->fontMetrics().horizontalAdvance(label->text()))
            << label->text().toStdString();
    f.Frame().ShowLockState(kNumLockBit);
    EXPECT_EQ(texts(), QStringList({"", "", "NUM", ""}));
    f.Frame().ShowLockState(0);
    EXPECT_EQ(texts(), QStringList({"", "", "", ""}));

    // "絞り込み中" shows while only open rows are shown, beside the counts.
    QLabel* filter = f.Frame().FilterPane();
    EXPECT_FALSE(filter->isVisible());
    for (const bool on : {true, false}) {
        RunCommand(ID_VIEW_OPEN_ONLY);
        f.Frame().UpdateCounts();
        EXPECT_EQ(filter->isVisible(), on);
    }
    EXPECT_EQ(filter->text(), QStringLiteral("絞り込み中"));
}

TEST(Placement, FirstRunDefaultsAndBothBars) {
    Running f;
    // The stored rectangle is the outer one, frame included (the test
    // platform draws a frame of 2 pixels).
    EXPECT_EQ(f.Frame().frameGeometry(), QRect(100, 100, 600, 400));
    EXPECT_EQ(f.Frame().geometry(),
              InnerRect(QRect(100, 100, 600, 400),
                        FrameMarginsOf(f.Frame().frameGeometry(), f.Frame().geometry())));
    EXPECT_TRUE(f.Frame().ToolBar()->isVisible());
    EXPECT_TRUE(f.Frame().StatusBar()->isVisible());
    ASSERT_TRUE(f.Close());
    EXPECT_EQ(f.profile.GetProfileString("Window size", "Rect", ""), "100,100,700,500,0,0,-1,-1");
    EXPECT_EQ(f.profile.GetProfileInt("Window size", "showCmd", -5), 1);
    EXPECT_EQ(f.profile.GetProfileInt("Window size", "flags", -5), 0);
    EXPECT_EQ(f.profile.GetProfileInt("Window size", "ToolBar", -5), 1);
    EXPECT_EQ(f.profile.GetProfileInt("Window size", "StatusBar", -5), 1);
}

TEST(Placement, HiddenStatusBarAndMovedWindowSurviveARestart) {
    AppFixture f;
    ASSERT_EQ(f.Start(), CTavrelApp::StartResult::Run);
    RunCommand(ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(f.Frame().StatusBar()->isVisible());
    f.Frame().setGeometry(QRect(30, 40, 500, 300));
    ASSERT_TRUE(f.Close());
    f.app.reset();
    EXPECT_EQ(f.profile.GetProfileInt("Window size", "StatusBar", -5), 0);

    ASSERT_EQ(f.Start(), CTavrelApp::StartResult::Run);
    EXPECT_FALSE(f.Frame().StatusBar()->isVisible());
    EXPECT_TRUE(f.Frame().ToolBar()->isVisible());
    EXPECT_EQ(UpdateCommand(ID_VIEW_STATUS_BAR).m_nCheck, 0);
    EXPECT_EQ(UpdateCommand(ID_VIEW_TOOLBAR).m_nCheck, 1);
    EXPECT_EQ(f.Frame().geometry(), QRect(30, 40, 500, 300));
}

TEST(Placement, OuterRectangleIsStoredAndComesBackTheSame) {
    AppFixture f;
    f.profile.WriteProfileString("Window size", "Rect", "10,20,610,420,0,0,-1,-1");
    ASSERT_EQ(f.Start(), CTavrelApp::StartResult::Run);
    const QMargins frame = FrameMarginsOf(f.Frame().frameGeometry(), f.Frame().geometry());
    EXPECT_FALSE(frame.isNull()) << "the test platform frames its windows";
    EXPECT_EQ(f.Frame().frameGeometry(), QRect(10, 20, 600, 400));
    ASSERT_TRUE(f.Close());
    // Stored unchanged: no creeping by the frame's size from run to run.
    EXPECT_EQ(f.profile.GetProfileString("Window size", "Rect", ""), "10,20,610,420,0,0,-1,-1");
}

struct RectCase {
    const char* name;
    const char* stored;
    QRect expected;
};

class StoredRect : public ::testing::TestWithParam<RectCase> {};

TEST_P(StoredRect, Applied) {
    AppFixture f;
    f.profile.WriteProfileString("Window size", "Rect", GetParam().stored);
    ASSERT_EQ(f.Start(), CTavrelApp::StartResult::Run);
    EXPECT_EQ(f.Frame().frameGeometry(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, StoredRect,
    ::testing::Values(RectCase{"Full", "10,20,610,420,0,0,-1,-1", QRect(10, 20, 600, 400)},
                      RectCase{"Empty", "", QRect(100, 100, 600, 400)},
                      RectCase{"OnlyFour", "5,6,405,306", QRect(5, 6, 400, 300)},
                      RectCase{"NotNumbers", "abc", QRect(100, 100, 600, 400)},
                      RectCase{"NoArea", "50,50,50,50,0,0,-1,-1", QRect(100, 100, 600, 400)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Placement, MaximisedIsStoredAndRestored) {
    AppFixture f;
    ASSERT_EQ(f.Start(), CTavrelApp::StartResult::Run);
    f.Frame().showMaximized();
    ASSERT_TRUE(f.Close());
    f.app.reset();
    EXPECT_EQ(f.profile.GetProfileInt("Window size", "showCmd", -5), 3);
    EXPECT_EQ(f.profile.GetProfileString("Window size", "Rect", ""), "100,100,700,500,0,0,-1,-1");
    ASSERT_EQ(f.Start(), CTavrelApp::StartResult::Run);
    EXPECT_TRUE(f.Frame().isMaximized());
}

TEST(Placement, MinimisedFromMaximisedComesBackMaximised) {
    AppFixture f;
    f.profile.WriteProfileString("Window size", "Rect", "10,20,610,420,0,0,-1,-1");
    f.profile.WriteProfileInt("Window size", "showCmd", 2);
    f.profile.WriteProfileInt("Window size", "flags", 2); // restore to maximised
    ASSERT_EQ(f.Start(), CTavrelApp::StartResult::Run);
    EXPECT_TRUE(f.Frame().isMinimized());
    EXPECT_TRUE(f.Frame().windowState() & Qt::WindowMaximized);
    // Restored by the user: maximised, and the normal rectangle kept beneath.
    f.Frame().setWindowState(f.Frame().windowState() & ~Qt::WindowMinimized);
    EXPECT_TRUE(f.Frame().isMaximized());
    EXPECT_EQ(f.Frame().GetWindowPlacement().rcNormalPosition, QRect(10, 20, 600, 400));
}

TEST(Placement, MinimisedWithoutTheFlagComesBackNormal) {
    AppFixture f;
    f.profile.WriteProfileInt("Window size", "showCmd", 2);
    ASSERT_EQ(f.Start(), CTavrelApp::StartResult::Run);
    EXPECT_TRUE(f.Frame().isMinimized());
    EXPECT_FALSE(f.Frame().windowState() & Qt::WindowMaximized);
    ASSERT_TRUE(f.Close());
    EXPECT_EQ(f.profile.GetProfileInt("Window size", "showCmd", -5), 2);
    EXPECT_EQ(f.profile.GetProfileInt("Window size", "flags", -5), 0);
}

// The stored rectangle is the outer one: with a frame of a 19 pixel title
// bar and borders, the inner area lies inside it, and storing gives back
// the same outer rectangle.
struct FrameCase {
    const char* name;
    QRect outer;
    QMargins frame;
    QRect inner;
};
// Shown by its name in test listings.
void PrintTo(const FrameCase& c, std::ostream* os) {
    *os << c.name;
}

class FrameArithmetic : public ::testing::TestWithParam<FrameCase> {};

TEST_P(FrameArithmetic, OuterAndInnerGiveEachOther) {
    const FrameCase& c = GetParam();
    EXPECT_EQ(InnerRect(c.outer, c.frame), c.inner);
    EXPECT_EQ(OuterRect(c.inner, c.frame), c.outer);
    EXPECT_EQ(FrameMarginsOf(c.outer, c.inner), c.frame);
    CWindowPlacement wp;
    wp.rcNormalPosition = OuterRect(c.inner, c.frame);
    EXPECT_EQ(CWindowPlacement::FromRectString(wp.RectString()).rcNormalPosition, c.outer);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, FrameArithmetic,
    ::testing::Values(FrameCase{"NoFrame", QRect(10, 20, 600, 400), QMargins(),
                                QRect(10, 20, 600, 400)},
                      FrameCase{"TitleBarAndBorders", QRect(10, 20, 600, 400),
                                QMargins(1, 19, 1, 1), QRect(11, 39, 598, 380)},
                      FrameCase{"ThickBorders", QRect(-4, -4, 808, 608), QMargins(4, 23, 4, 4),
                                QRect(0, 19, 800, 581)}),
    [](const auto& info) { return std::string(info.param.name); });

// Stands at the head of the route: every command is enabled, and running one
// only records it.
struct RouteSpy : CCmdTarget {
    std::vector<UINT> ran;
    bool OnCmdMsg(UINT id) override {
        ran.push_back(id);
        return true;
    }
    bool OnUpdateCmdUI(CCmdUI& cmdUI) override {
        cmdUI.Enable(true);
        return true;
    }
};

TEST(Accelerators, KeysRunTheirCommandsThroughTheRouting) {
    Running f;
    f.Frame().show();
    f.Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.Frame()));
    QWidget* view = f.Frame().GetActiveView();
    view->setFocus();

    // The real route: Ctrl+N asks for the new sheet's rows.
    f.newFileShown = 0;
    QTest::keyClick(view, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(f.newFileShown, 1);

    // Every key of the table, pressed as the user presses it, reaches the
    // route as its command and as nothing else.
    RouteSpy spy;
    SetCommandRoute(&spy);
    for (const CAccelerator& a : AcceleratorTable()) {
        spy.ran.clear();
        QTest::keyClick(view, Qt::Key(a.key), a.mods);
        EXPECT_EQ(spy.ran, std::vector<UINT>{a.id})
            << QKeySequence(QKeyCombination(a.mods, Qt::Key(a.key))).toString().toStdString();
    }
    SetCommandRoute(&f.Frame());
}

} // namespace

TEST(StatusBar, CountsFollowTicksUndoAndRedo) {
    Running f;
    CTavrelView* view = f.Frame().GetActiveView();
    CSheetFile& s = view->GetDocument()->m_Sheet;
    for (const char* n : {"a", "b", "c"})
        s.AddColumn(n, 1);
    for (const char* n : {"x", "y"})
        s.AddLine(n);
    view->OnInitialUpdate();
    QLabel* pane = f.Frame().CountsPane();
    f.Frame().UpdateCounts();
    EXPECT_EQ(pane->text(), QStringLiteral("チェック 0/6"));
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Right);
    QTest::keyClick(view, Qt::Key_Space);
    f.Frame().UpdateCounts();
    EXPECT_EQ(pane->text(), QStringLiteral("チェック 1/6 行 1/3 列 1/2"));
    f.Frame().OnCmdMsg(ID_EDIT_UNDO);
    f.Frame().UpdateCounts();
    EXPECT_EQ(pane->text(), QStringLiteral("チェック 0/6 行 0/3 列 0/2"));
    f.Frame().OnCmdMsg(ID_EDIT_REDO);
    f.Frame().UpdateCounts();
    EXPECT_EQ(pane->text(), QStringLiteral("チェック 1/6 行 1/3 列 1/2"));
}

TEST(ToolBar, EveryButtonHasAnAccessibleName) {
    Running f;
    for (QAction* a : f.Frame().ToolBar()->actions()) {
        if (a->isSeparator())
            continue;
        QWidget* button = f.Frame().ToolBar()->widgetForAction(a);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->accessibleName(), a->toolTip());
        EXPECT_EQ(button->accessibleDescription(), a->statusTip());
    }
}

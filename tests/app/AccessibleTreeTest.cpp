// What a screen reader hears, read through Qt's accessibility interfaces as
// the desktop's bridge reads them: every kind of control of the main window
// and the settings dialog by its name, and no control left unnamed.
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSizeGrip>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>

#include "AppTestUtil.h"
#include "app/KeyLockState.h"
#include "dialogs/ColorBtn.h"
#include "dialogs/SetDlg.h"
#include "fw/Cp932.h"
#include "view/TavrelView.h"

namespace {

struct Heard {
    CMainFrame& frame;
    CSetDlg& settings;
};

struct NameCase {
    const char* kind;
    std::function<QAccessibleInterface*(Heard&)> find;
    const char* name;
    const char* keys = ""; // its key binding, if any
};

void PrintTo(const NameCase& c, std::ostream* os) {
    *os << c.kind;
}

QAccessibleInterface* Of(QObject* o) {
    return o ? QAccessible::queryAccessibleInterface(o) : nullptr;
}

// The item of a menu bar popup whose name starts with prefix.
QAccessibleInterface* MenuItem(CMainFrame& frame, int popup, const QString& prefix) {
    QMenu* menu = frame.menuBar()->actions().at(popup)->menu();
    QAccessibleInterface* m = Of(menu);
    for (int i = 0; m && i < m->childCount(); ++i)
        if (m->child(i)->text(QAccessible::Name).startsWith(prefix))
            return m->child(i);
    return nullptr;
}

template <class W> QAccessibleInterface* Named(QWidget* root, const char* objectName) {
    return Of(root->findChild<W*>(QString::fromLatin1(objectName)));
}

class AccessibleNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(AccessibleNames, EachControlKindIsHeardByItsName) {
    AppFixture f;
    f.newFileAnswer = IDOK;
    f.newFileLines = QStringLiteral("a\r\nb");
    ASSERT_EQ(f.Start(), CTavrelApp::StartResult::Run);
    f.Doc().m_Sheet.m_strTitle = cp932::FromUtf8OrDie("点検表");
    f.Frame().ShowLockState(kCapsLockBit);
    CSetDlg settings(&f.Frame());
    settings.show();
    Heard heard{f.Frame(), settings};

    QAccessibleInterface* iface = GetParam().find(heard);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->text(QAccessible::Name), QString::fromUtf8(GetParam().name));
    // The key that runs it, which the desktop's bridge hands on as its key binding.
    if (*GetParam().keys) {
        EXPECT_EQ(iface->text(QAccessible::Accelerator), QString::fromUtf8(GetParam().keys));
    }
}

INSTANTIATE_TEST_SUITE_P(
    App, AccessibleNames,
    ::testing::Values(
        NameCase{"GridTable", [](Heard& h) { return Of(h.frame.GetActiveView()); }, "点検表"},
        NameCase{"MenuItem",
                 [](Heard& h) { return MenuItem(h.frame, 0, QStringLiteral("新規作成")); },
                 "新規作成(N)", "Ctrl+N"},
        NameCase{"MenuItemWithoutKey",
                 [](Heard& h) { return MenuItem(h.frame, 0, QStringLiteral("CSVインポート")); },
                 "CSVインポート(I)..."},
        NameCase{"ToolBarButton",
                 [](Heard& h) {
                     return Of(h.frame.findChild<QToolBar*>()->widgetForAction(
                         h.frame.findChild<QToolBar*>()->actions().at(0)));
                 },
                 "新規ﾌｧｲﾙ"},
        NameCase{"ToolBarMoreButton",
                 [](Heard& h) { return Named<QToolButton>(&h.frame, "qt_toolbar_ext_button"); },
                 "その他のボタン"},
        NameCase{"LockIndicatorOn", [](Heard& h) { return Named<QLabel>(&h.frame, "59137"); },
                 "Caps Lock オン"},
        NameCase{"LockIndicatorOff", [](Heard& h) { return Named<QLabel>(&h.frame, "59138"); },
                 "Num Lock オフ"},
        NameCase{"SizeGrip",
                 [](Heard& h) { return Of(h.frame.statusBar()->findChild<QSizeGrip*>()); },
                 "ウィンドウの大きさを変えるつまみ"},
        NameCase{"ComboBoxByItsLabel",
                 [](Heard& h) { return Named<QComboBox>(&h.settings, "idc1004"); },
                 "CSV出力時のマーク"},
        NameCase{"EditByItsLabel",
                 [](Heard& h) { return Named<QLineEdit>(&h.settings, "idc1001"); }, "行名の幅"},
        NameCase{"ColourButtonSaysItsColour",
                 [](Heard& h) {
                     h.settings.m_btnTextColor.m_color = RGB(0, 0, 128);
                     return Of(&h.settings.m_btnTextColor);
                 },
                 "文字の色 濃い青 #000080"}),
    [](const auto& info) { return std::string(info.param.kind); });

// Every control a reader can land on, through the whole tree of the main
// window and of a dialog, says something.
TEST(AccessibleTree, NoControlIsLeftUnnamed) {
    AppFixture f;
    f.newFileAnswer = IDOK;
    f.newFileLines = QStringLiteral("a\r\nb");
    ASSERT_EQ(f.Start(), CTavrelApp::StartResult::Run);
    CSetDlg settings(&f.Frame());
    settings.show();
    QStringList unnamed;
    std::function<void(QAccessibleInterface*, const QString&)> walk =
        [&](QAccessibleInterface* iface, const QString& path) {
            if (!iface || iface->state().invisible)
                return;
            const QAccessible::Role role = iface->role();
            // The grid's cells are named by their row and column (tested with the grid).
            if (role == QAccessible::Cell || role == QAccessible::Separator)
                return;
            const bool control = role != QAccessible::Client && role != QAccessible::Grouping &&
                                 role != QAccessible::Window && role != QAccessible::Pane &&
                                 role != QAccessible::Dialog && role != QAccessible::MenuBar &&
                                 role != QAccessible::PopupMenu && role != QAccessible::Row &&
                                 role != QAccessible::List && role != QAccessible::ColumnHeader &&
                                 role != QAccessible::RowHeader;
            const QString here = path + QLatin1Char('/') + QString::number(int(role));
            if (control && iface->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << here + QLatin1Char(' ') +
                               (iface->object() ? iface->object()->metaObject()->className() : "");
            if (role == QAccessible::Table)
                return;
            for (int i = 0; i < iface->childCount(); ++i)
                walk(iface->child(i), here);
        };
    walk(Of(&f.Frame()), QString());
    walk(Of(&settings), QString());
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QLatin1Char('\n')).toStdString();
}

} // namespace

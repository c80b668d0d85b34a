// Help as the user meets it: the help routine with the help file present and
// missing, F1 on highlighted menu items and elsewhere, the index with its
// search field, every menu command's context number leading to its topic in
// the built help file, where the help file is looked for, the home page.
#include <QAbstractItemModel>
#include <QDir>
#include <QFile>
#include <QHelpEngine>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngineCore>
#include <QHelpIndexModel>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <set>

#include "AppTestUtil.h"
#include "app/HelpWindow.h"
#include "fw/CommandRoute.h"
#include "qt/QtUserInterface.h"
#include "res/AppInfo.h"
#include "res/CommandTable.h"
#include "view/CommandActions.h"
#include "view/TavrelView.h"

namespace {

const QString kBuiltHelp = QStringLiteral(TAVRELER_HELP_FILE);
const std::string kMissing = "ヘルプファイルがありません：";

struct HelpApp : AppFixture {
    explicit HelpApp(const QString& helpFile = kBuiltHelp) {
        EXPECT_EQ(Start(), CTavrelApp::StartResult::Run);
        Frame().SetHelpFilePath(helpFile);
        ui.m_shown.clear();
    }
    ~HelpApp() {
        if (CHelpWindow* w = Frame().HelpWindow())
            w->close();
    }
    bool HelpShown() { return Frame().HelpWindow() && Frame().HelpWindow()->isVisible(); }
    QString Page() { return Frame().HelpWindow()->CurrentUrl().fileName(); }
};

// The popup of the menu bar that holds the command, opened as the user opens it.
QMenu* OpenMenuAt(CMainFrame& frame, UINT id, QAction** item) {
    for (QAction* popup : frame.menuBar()->actions()) {
        QMenu* menu = popup->menu();
        for (QAction* a : menu->actions())
            if (!a->isSeparator() && a->data().toUInt() == id) {
                menu->popup(frame.mapToGlobal(QPoint(10, 10)));
                EXPECT_TRUE(QTest::qWaitForWindowExposed(menu));
                menu->setActiveAction(a);
                *item = a;
                return menu;
            }
    }
    return nullptr;
}

// ---------------------------------------------------------------- routine

struct MissingCase {
    const char* name;
    bool keepCollection; // the collection is there, the help file beside it is not
    UINT command;        // run through the route; 0: F1 on "設定(&O)..."
};

class HelpMissing : public ::testing::TestWithParam<MissingCase> {};

// The message names the full path of the file that is missing; nothing opens.
TEST_P(HelpMissing, MessageWithTheFullPath) {
    QTemporaryDir dir;
    const QString qhc = QDir(dir.path()).filePath(QStringLiteral("Tavrl.qhc"));
    if (GetParam().keepCollection) {
        ASSERT_TRUE(QFile::copy(kBuiltHelp, qhc));
    }
    HelpApp f(qhc);
    if (GetParam().command) {
        EXPECT_TRUE(RunCommand(GetParam().command));
    } else {
        QAction* item = nullptr;
        QMenu* menu = OpenMenuAt(f.Frame(), ID_VIEW_SETTINGS, &item);
        ASSERT_NE(menu, nullptr);
        QTest::keyClick(menu, Qt::Key_F1);
        EXPECT_FALSE(menu->isVisible());
    }
    const QString expected =
        GetParam().keepCollection ? QDir(dir.path()).filePath(QStringLiteral("Tavrl.qch")) : qhc;
    ASSERT_EQ(f.ui.m_shown.size(), 1u);
    EXPECT_EQ(f.ui.m_shown[0].text, kMissing + expected.toStdString());
    EXPECT_EQ(f.ui.m_shown[0].type & MB_TYPEMASK, UINT(MB_OK));
    EXPECT_FALSE(f.HelpShown());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr); // the wait cursor went
}

INSTANTIATE_TEST_SUITE_P(
    Help, HelpMissing,
    ::testing::Values(MissingCase{"ContentsWithoutAnyFile", false, ID_HELP_FINDER},
                      MissingCase{"ContentsWithoutTheHelpFile", true, ID_HELP_FINDER},
                      MissingCase{"ToolBarDefaultHelp", false, ID_DEFAULT_HELP},
                      MissingCase{"KeywordSearch", false, ID_HELP_SEARCH},
                      MissingCase{"F1OnMenuItem", false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct OpenCase {
    const char* name;
    UINT command;
    const char* page;
    int tab; // 0 contents, 1 index
};

class HelpOpens : public ::testing::TestWithParam<OpenCase> {};

TEST_P(HelpOpens, AtItsPlace) {
    HelpApp f;
    EXPECT_TRUE(RunCommand(GetParam().command));
    EXPECT_TRUE(f.ui.m_shown.empty());
    ASSERT_TRUE(f.HelpShown());
    EXPECT_EQ(f.Page(), QString::fromUtf8(GetParam().page));
    EXPECT_EQ(f.Frame().HelpWindow()->Tabs()->currentIndex(), GetParam().tab);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Help, HelpOpens,
    ::testing::Values(OpenCase{"ContentsAtTheFirstPage", ID_HELP_FINDER, "index.html", 0},
                      OpenCase{"FrameworkDefaultHelp", ID_DEFAULT_HELP, "index.html", 0},
                      OpenCase{"KeywordSearchAtTheIndex", ID_HELP_SEARCH, "index.html", 1},
                      OpenCase{"MainWindowContext", ID_HELP, "window.html", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HelpRoutine, OpenMenusCloseFirst) {
    HelpApp f;
    QAction* item = nullptr;
    QMenu* menu = OpenMenuAt(f.Frame(), ID_LINE_ADD, &item);
    ASSERT_NE(menu, nullptr);
    f.Frame().WinHelp(0, HELP_FINDER);
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_TRUE(f.HelpShown());
}

TEST(HelpRoutine, UnknownContextShowsTheFirstPage) {
    HelpApp f;
    f.Frame().WinHelp(HID_BASE_COMMAND + 1, HELP_CONTEXT);
    ASSERT_TRUE(f.HelpShown());
    EXPECT_EQ(f.Page(), QStringLiteral("index.html"));
}

// ---------------------------------------------------------------- F1

struct F1Case {
    const char* name;
    UINT id;
    const char* page;
};

class F1OnMenuItem : public ::testing::TestWithParam<F1Case> {};

TEST_P(F1OnMenuItem, OpensTheCommandsTopic) {
    HelpApp f;
    QAction* item = nullptr;
    QMenu* menu = OpenMenuAt(f.Frame(), GetParam().id, &item);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->activeAction(), item);
    QTest::keyClick(menu, Qt::Key_F1);
    EXPECT_FALSE(menu->isVisible());
    ASSERT_TRUE(f.HelpShown());
    EXPECT_EQ(f.Page(), QString::fromUtf8(GetParam().page));
    // F1 only asks for help: the command itself did not run.
    EXPECT_TRUE(f.ui.m_shown.empty());
    EXPECT_FALSE(f.Doc().IsModified());
}

INSTANTIATE_TEST_SUITE_P(
    Help, F1OnMenuItem,
    ::testing::Values(F1Case{"Settings98318", ID_VIEW_SETTINGS, "view_settings.html"},
                      F1Case{"AddRow", ID_LINE_ADD, "line_add.html"},
                      F1Case{"DisabledUndo", ID_EDIT_UNDO, "edit_undo.html"},
                      F1Case{"RecentPlaceholder", ID_FILE_MRU_FILE1, "file_mru.html"},
                      F1Case{"DeleteAllChecks", ID_EDIT_CLEAR_ALL, "edit_clearall.html"},
                      F1Case{"About", ID_APP_ABOUT, "help_about.html"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(F1, InTheContextMenuOpensTheCommandsTopic) {
    HelpApp f;
    QMenu* menu = BuildPopupMenu(IDR_CONTEXT_MENU, f.Frame().GetActiveView());
    menu->popup(f.Frame().mapToGlobal(QPoint(50, 50)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    for (QAction* a : menu->actions())
        if (a->data().toUInt() == ID_COLUMN_DELETE)
            menu->setActiveAction(a);
    QTest::keyClick(menu, Qt::Key_F1);
    ASSERT_TRUE(f.HelpShown());
    EXPECT_EQ(f.Page(), QStringLiteral("column_delete.html"));
    delete menu;
}

TEST(F1, OnTheGridOpensTheMainWindowsTopic) {
    HelpApp f;
    f.Frame().show();
    QTest::keyClick(f.Frame().GetActiveView(), Qt::Key_F1);
    ASSERT_TRUE(f.HelpShown());
    EXPECT_EQ(f.Page(), QStringLiteral("window.html"));
}

struct DialogF1Case {
    const char* name;
    UINT command; // opens the dialog
    const char* page;
};

class F1InDialog : public ::testing::TestWithParam<DialogF1Case> {};

// Pressed while the dialog has the keyboard: the help of the dialog opens
// and the dialog stays, as the user left it.
TEST_P(F1InDialog, OpensTheDialogsTopic) {
    HelpApp f;
    CQtUserInterface real;
    CUiScope realUi(real);
    bool stillOpen = false;
    WhenModal([](QWidget*) { return true; },
              [&](QWidget* dlg) {
                  ASSERT_TRUE(Type(Qt::Key_F1));
                  stillOpen = dlg->isVisible();
                  static_cast<QDialog*>(dlg)->reject();
              });
    RunCommand(GetParam().command);
    EXPECT_TRUE(stillOpen);
    ASSERT_TRUE(f.HelpShown());
    EXPECT_EQ(f.Page(), QString::fromUtf8(GetParam().page));
}

INSTANTIATE_TEST_SUITE_P(
    Help, F1InDialog,
    ::testing::Values(DialogF1Case{"Settings131204", ID_VIEW_SETTINGS, "dlg_settings.html"},
                      DialogF1Case{"Version131172", ID_APP_ABOUT, "dlg_about.html"},
                      DialogF1Case{"Row131202", ID_LINE_ADD, "dlg_line.html"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(F1, WithAModifierIsNotHelp) {
    HelpApp f;
    QTest::keyClick(f.Frame().GetActiveView(), Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_FALSE(f.HelpShown());
}

// ---------------------------------------------------------------- the window

TEST(HelpWindow, OpensInsideTheScreensFreeArea) {
    HelpApp f;
    f.Frame().show();
    RunCommand(ID_HELP_FINDER);
    ASSERT_TRUE(f.HelpShown());
    CHelpWindow* w = f.Frame().HelpWindow();
    const QRect area = w->screen()->availableGeometry();
    EXPECT_TRUE(area.contains(w->frameGeometry())) << area.width() << "x" << area.height();
}

// The contents as they show once filled, and the item of a page in them.
QHelpContentWidget* FilledContents(HelpApp& f) {
    f.Frame().WinHelp(0, HELP_FINDER);
    QHelpContentModel* model = f.Frame().HelpWindow()->Engine()->contentModel();
    EXPECT_TRUE(
        QTest::qWaitFor([model] { return !model->isCreatingContents() && model->rowCount() > 0; }));
    QTest::qWait(10);
    return f.Frame().HelpWindow()->Engine()->contentWidget();
}

TEST(HelpWindow, ContentsFollowTheMenusOrder) {
    HelpApp f;
    QHelpContentWidget* contents = FilledContents(f);
    QHelpEngine* engine = f.Frame().HelpWindow()->Engine();
    for (const CMenuPopup& popup : MenuBarTable()) {
        int last = -1;
        for (const CMenuItem& item : popup.items) {
            const QList<QHelpLink> docs =
                engine->documentsForIdentifier(QString::number(HID_BASE_COMMAND + item.id));
            if (item.id == ID_SEPARATOR || docs.isEmpty())
                continue;
            const QModelIndex at = contents->indexOf(docs.first().url);
            ASSERT_TRUE(at.isValid()) << item.text;
            EXPECT_GT(at.row(), last) << popup.title << " / " << item.text;
            last = at.row();
        }
    }
}

TEST(HelpWindow, NoContentsEntryIsCutShort) {
    HelpApp f;
    QHelpContentWidget* contents = FilledContents(f);
    contents->expandAll();
    QTest::qWait(10);
    const QFontMetrics fm(contents->font());
    for (QModelIndex i = contents->model()->index(0, 0); i.isValid(); i = contents->indexBelow(i)) {
        const QString text = i.data().toString();
        EXPECT_GE(contents->visualRect(i).width(), fm.horizontalAdvance(text))
            << text.toStdString();
    }
}

TEST(HelpIndex, AKeywordOfSeveralTopicsOffersThemAll) {
    HelpApp f;
    CQtUserInterface real;
    CUiScope realUi(real);
    f.Frame().OnHelpSearch();
    CHelpWindow* w = f.Frame().HelpWindow();
    const QList<QHelpLink> docs = w->Engine()->documentsForKeyword(QStringLiteral("チェック"));
    ASSERT_GE(docs.size(), 2);
    QHelpIndexModel* model = w->Engine()->indexModel();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !model->isCreatingIndex() && model->rowCount() > 50; }));
    int offered = 0;
    WhenModal([](QWidget* dlg) { return dlg->objectName() == QLatin1String("topics"); },
              [&offered](QWidget* dlg) {
                  auto* list = dlg->findChild<QListWidget*>();
                  offered = list->count();
                  list->setCurrentRow(1);
                  Type(Qt::Key_Return);
              });
    w->SearchField()->setText(QStringLiteral("チェック"));
    QTest::keyClick(w->SearchField(), Qt::Key_Return);
    EXPECT_EQ(offered, docs.size());
    EXPECT_EQ(w->CurrentUrl(), docs[1].url);
}

// ---------------------------------------------------------------- the file

// Plain text of a topic's first heading, read out of the help file.
QString TopicTitle(QHelpEngineCore& engine, const QUrl& url) {
    const QString page = QString::fromUtf8(engine.fileData(url));
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("<h1>(.*?)</h1>")).match(page);
    return m.hasMatch() ? m.captured(1) : QString();
}

// The menu text as a topic names it: no mnemonic, dots, shortcut, and
// half-width kana read as full-width.
QString MenuName(const char* text) {
    QString s = QString::fromUtf8(text);
    s = s.section(QChar('\t'), 0, 0);
    if (s.endsWith(QStringLiteral("...")))
        s.chop(3);
    const qsizetype paren = s.lastIndexOf(QChar('('));
    if (paren > 0 && s.endsWith(QChar(')')))
        s.truncate(paren);
    return s.normalized(QString::NormalizationForm_KC);
}

// Fails as soon as a command reaches a menu without a topic in the help.
TEST(HelpFile, EveryMenuCommandHasATopicNamedAsInTheMenu) {
    QHelpEngineCore engine(kBuiltHelp);
    engine.setReadOnly(true);
    ASSERT_TRUE(engine.setupData()) << engine.error().toStdString();
    std::vector<std::pair<UINT, const char*>> items;
    for (const CMenuPopup& popup : MenuBarTable())
        for (const CMenuItem& item : popup.items)
            if (item.id != ID_SEPARATOR)
                items.emplace_back(item.id, item.text);
    for (const CMenuItem& item : ContextMenuTable())
        if (item.id != ID_SEPARATOR)
            items.emplace_back(item.id, item.text);
    for (UINT id : ToolBarTable())
        if (id != ID_SEPARATOR)
            items.emplace_back(id, nullptr);
    for (UINT id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_FILE9; ++id)
        items.emplace_back(id, nullptr);
    ASSERT_GT(items.size(), 60u);
    for (const auto& [id, text] : items) {
        const QList<QHelpLink> docs =
            engine.documentsForIdentifier(QString::number(HID_BASE_COMMAND + id));
        ASSERT_FALSE(docs.isEmpty()) << "no topic for command " << id;
        const QString title =
            TopicTitle(engine, docs.first().url).normalized(QString::NormalizationForm_KC);
        EXPECT_FALSE(title.isEmpty()) << id;
        if (text) {
            EXPECT_TRUE(title.startsWith(MenuName(text)))
                << id << ": " << title.toStdString() << " / " << MenuName(text).toStdString();
        }
    }
}

// Every command topic says what it does, when it is disabled and what its messages mean.
TEST(HelpFile, CommandTopicsHaveTheirThreeParts) {
    QHelpEngineCore engine(kBuiltHelp);
    engine.setReadOnly(true);
    ASSERT_TRUE(engine.setupData());
    std::set<QString> seen;
    for (const CMenuPopup& popup : MenuBarTable())
        for (const CMenuItem& item : popup.items) {
            if (item.id == ID_SEPARATOR)
                continue;
            const QList<QHelpLink> docs =
                engine.documentsForIdentifier(QString::number(HID_BASE_COMMAND + item.id));
            ASSERT_FALSE(docs.isEmpty()) << item.id;
            if (!seen.insert(docs.first().url.toString()).second)
                continue;
            const QString page = QString::fromUtf8(engine.fileData(docs.first().url));
            for (const char* part :
                 {"<h2>何をするか</h2>", "<h2>使えないとき</h2>", "<h2>メッセージ</h2>"})
                EXPECT_TRUE(page.contains(QString::fromUtf8(part))) << item.id << " lacks " << part;
        }
    EXPECT_GT(seen.size(), 45u);
}

// The messages the commands show appear in their topics, word for word.
TEST(HelpFile, TopicsQuoteTheCommandsMessages) {
    QHelpEngineCore engine(kBuiltHelp);
    engine.setReadOnly(true);
    ASSERT_TRUE(engine.setupData());
    const std::pair<UINT, const char*> quotes[] = {
        {ID_LINE_INSERT, "挿入位置を指定してください"},
        {ID_EDIT_ALL_CHECK, "全てにチェックをします。よろしいですか？"},
        {ID_COLUMN_UNCHECK, "この列全てのチェックを消去します。よろしいですか？"},
        {ID_CSV_IMPORT, "インポートエラー：一行目の列数以上の項目を持つ行があります"},
        {ID_CSV_IMPORT, "データが大きすぎるため読み込めません。"},
        {ID_CSV_IMPORT, "メモリが不足しています。"},
        {ID_LINE_PASTE_TEXT, "データが大きすぎるため読み込めません。"},
        {ID_EDIT_PASTE, "列の数が異なるデータです"},
        {ID_VIEW_LINE_LINK, "この行のリンクファイルが指定されていません"},
        {ID_HELP_FINDER, "ヘルプファイルがありません："},
        {ID_VIEW_SETTINGS, "正の整数を入力してください。"},
    };
    for (const auto& [id, quote] : quotes) {
        const QList<QHelpLink> docs =
            engine.documentsForIdentifier(QString::number(HID_BASE_COMMAND + id));
        ASSERT_FALSE(docs.isEmpty()) << id;
        EXPECT_TRUE(
            QString::fromUtf8(engine.fileData(docs.first().url)).contains(QString::fromUtf8(quote)))
            << quote;
    }
}

struct KeywordCase {
    const char* name;
    const char* typed;
    const char* page;
};

class HelpIndex : public ::testing::TestWithParam<KeywordCase> {};

// Typing in the search field narrows the index; Enter opens the keyword's topic.
TEST_P(HelpIndex, SearchFieldFindsTheKeyword) {
    HelpApp f;
    f.Frame().OnHelpSearch();
    ASSERT_TRUE(f.HelpShown());
    CHelpWindow* w = f.Frame().HelpWindow();
    QHelpIndexModel* model = w->Engine()->indexModel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !model->isCreatingIndex() && model->rowCount() > 50; },
                                10000));
    EXPECT_TRUE(w->SearchField()->hasFocus() || QApplication::focusWidget() == nullptr);
    // As an input method hands over what was typed.
    w->SearchField()->insert(QString::fromUtf8(GetParam().typed));
    ASSERT_GT(model->rowCount(), 0);
    EXPECT_TRUE(model->data(model->index(0, 0), Qt::DisplayRole)
                    .toString()
                    .contains(QString::fromUtf8(GetParam().typed), Qt::CaseInsensitive));
    QTest::keyClick(w->SearchField(), Qt::Key_Return);
    EXPECT_EQ(f.Page(), QString::fromUtf8(GetParam().page));
}

INSTANTIATE_TEST_SUITE_P(
    Help, HelpIndex,
    ::testing::Values(KeywordCase{"Shortcut", "Ctrl+Z", "edit_undo.html"},
                      KeywordCase{"RedoKey", "Ctrl+Y", "edit_redo.html"},
                      KeywordCase{"CursorKey", "Ctrl+End", "keys.html"},
                      KeywordCase{"Wheel", "ホイール", "keys.html"},
                      KeywordCase{"Synonym", "取り消し", "edit_undo.html"},
                      KeywordCase{"Dialog", "オプション", "view_settings.html"},
                      KeywordCase{"FileFormat", "Tavrel ファイル", "format_tvr.html"},
                      KeywordCase{"CommandLine", "tavreler-cli", "cli.html"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HelpIndex, EngineFindsJapaneseKeywords) {
    QHelpEngineCore engine(kBuiltHelp);
    engine.setReadOnly(true);
    ASSERT_TRUE(engine.setupData());
    for (const char* keyword :
         {"チェックシート", "リンクファイル", "スタイルシート", "ショートカット"})
        EXPECT_FALSE(engine.documentsForKeyword(QString::fromUtf8(keyword)).isEmpty()) << keyword;
    EXPECT_TRUE(engine.documentsForKeyword(QStringLiteral("存在しない語")).isEmpty());
}

// ---------------------------------------------------------------- the place

struct PlaceCase {
    const char* name;
    std::vector<const char*> files; // made under the temporary root
    const char* found;              // what is found, relative to the root
};

class HelpPlace : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(HelpPlace, BuildTreeThenInstalledTree) {
    QTemporaryDir root;
    QDir dir(root.path());
    for (const char* file : GetParam().files) {
        const QString path = dir.filePath(QString::fromUtf8(file));
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(dir.mkpath(QStringLiteral("bin")));
    EXPECT_EQ(FindHelpFile(dir.filePath(QStringLiteral("bin"))),
              dir.filePath(QString::fromUtf8(GetParam().found)));
    EXPECT_EQ(FindHelpFile(dir.filePath(QStringLiteral("bin/"))),
              dir.filePath(QString::fromUtf8(GetParam().found)));
}

INSTANTIATE_TEST_SUITE_P(
    Help, HelpPlace,
    ::testing::Values(
        PlaceCase{"BesideTheProgram", {"bin/Tavrl.qhc", "bin/Tavrl.qch"}, "bin/Tavrl.qhc"},
        PlaceCase{"Installed",
                  {"share/tavreler/Tavrl.qhc", "share/tavreler/Tavrl.qch"},
                  "share/tavreler/Tavrl.qhc"},
        PlaceCase{"BuildTreeFirst",
                  {"bin/Tavrl.qhc", "bin/Tavrl.qch", "share/tavreler/Tavrl.qhc",
                   "share/tavreler/Tavrl.qch"},
                  "bin/Tavrl.qhc"},
        PlaceCase{"CollectionWithoutItsFile",
                  {"bin/Tavrl.qhc", "share/tavreler/Tavrl.qhc", "share/tavreler/Tavrl.qch"},
                  "share/tavreler/Tavrl.qhc"},
        PlaceCase{"NowhereNamesTheLastPlace", {}, "share/tavreler/Tavrl.qhc"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HelpPlace, TheProgramsOwnFolder) {
    EXPECT_EQ(GetModulePath(QStringLiteral("x.qhc")),
              QCoreApplication::applicationDirPath() + QStringLiteral("/x.qhc"));
}

TEST(HelpPlace, StartUpHandsTheFoundPathToTheFrame) {
    AppFixture f;
    ASSERT_EQ(f.Start(), CTavrelApp::StartResult::Run);
    EXPECT_EQ(f.Frame().HelpFilePath(), FindHelpFile(GetModulePath(QString())));
    EXPECT_TRUE(f.Frame().HelpFilePath().endsWith(QStringLiteral("/share/tavreler/Tavrl.qhc")));
}

// ---------------------------------------------------------------- menu

TEST(HomePage, OpensTheAddressAndIgnoresTheResult) {
    for (bool opened : {true, false}) {
        HelpApp f;
        f.ui.m_bShellResult = opened;
        EXPECT_TRUE(RunCommand(ID_HELP_HOMEPAGE));
        ASSERT_EQ(f.ui.m_opened.size(), 1u);
        EXPECT_EQ(f.ui.m_opened[0], appinfo::HomePage());
        EXPECT_TRUE(f.ui.m_shown.empty());
        EXPECT_EQ(f.ui.m_nBeeps, 0);
    }
}

TEST(About, TheCommandShowsTheVersionDialogOverTheFrame) {
    HelpApp f;
    QString caption, owner;
    QTimer::singleShot(0, [&] {
        if (QWidget* dlg = QApplication::activeModalWidget()) {
            caption = dlg->windowTitle();
            owner = dlg->parentWidget() ? dlg->parentWidget()->objectName() : QString();
            dlg->close();
        }
    });
    EXPECT_TRUE(RunCommand(ID_APP_ABOUT));
    EXPECT_EQ(caption, QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    EXPECT_EQ(owner, QString::number(IDR_MAINFRAME));
}

} // namespace

// The program's file dialog, driven for real: Qt's dialog is found once it
// shows, a name is typed into it and accepted, and what the caller gets back
// is checked against the files on disk.
#include <QApplication>
#include <functional>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "dialogs/FileDialogEx.h"
#include "dialogs/FileChooser.h"
#include "fw/UserInterface.h"
#include "ScriptedAnswers.h"

namespace {

// Qt's file dialog keeps its own history in the user's settings; here it
// goes to a folder of the test run instead.
class FileDialogSettingsEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        m_dir = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir->path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir->path());
    }
    void TearDown() override { m_dir.reset(); }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};
const auto* const kSettingsEnvironment =
    ::testing::AddGlobalTestEnvironment(new FileDialogSettingsEnvironment);

QFileDialog* ShownFileDialog() {
    if (auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()))
        return d;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* d = qobject_cast<QFileDialog*>(w); d && d->isVisible())
            return d;
    }
    return nullptr;
}

// Runs drive on the file dialog once it shows; afterwards a dialog still
// open is cancelled, so a failed expectation never leaves the test waiting.
void DriveFileDialog(std::function<void(QFileDialog&)> drive) {
    QTimer::singleShot(0, qApp, [drive] {
        QFileDialog* d = ShownFileDialog();
        ASSERT_NE(d, nullptr) << "no file dialog showed";
        drive(*d);
        if (d->isVisible())
            d->reject();
    });
}

QLineEdit* NameBox(QFileDialog& d) {
    return d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

// Types name into the dialog's name box and presses Enter.
void TypeAndAccept(QFileDialog& d, const QString& name) {
    QLineEdit* box = NameBox(d);
    ASSERT_NE(box, nullptr);
    // Set rather than typed key by key: the completer's list would take the Enter.
    box->setText(name);
    QTest::keyClick(box, Qt::Key_Return);
}

constexpr DWORD kOpenFlags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY; // 0x1004
constexpr DWORD kSaveFlags =
    OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST; // 0x80E

class FileDialogExTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_cwd = QDir::currentPath();
    }
    void TearDown() override { QDir::setCurrent(m_cwd); }
    QString Path(const QString& name) const { return m_dir.path() + QChar('/') + name; }
    void Touch(const QString& name) {
        QFile f(Path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
    }

    QTemporaryDir m_dir;
    CScriptedAnswers m_ui;
    QString m_cwd;
};

TEST(FileDialogExFilterTest, FiltersTurnIntoQtForm) {
    const struct {
        const char* in;
        const char* out;
    } table[] = {
        {"全てのﾌｧｲﾙ(*.*) |*.*||", "全てのﾌｧｲﾙ(*.*)"},
        {"CSVﾌｧｲﾙ(*.csv) |*.csv|ﾃｷｽﾄﾌｧｲﾙ(*.txt) |*.txt||", "CSVﾌｧｲﾙ(*.csv);;ﾃｷｽﾄﾌｧｲﾙ(*.txt)"},
        {"ﾁｪｯｸｼｰﾄ(*.tvr)|*.tvr|すべてのﾌｧｲﾙ (*.*)|*.*||", "ﾁｪｯｸｼｰﾄ(*.tvr);;すべてのﾌｧｲﾙ (*.*)"},
        {"Sources|*.c;*.h||", "Sources (*.c *.h)"},
        {"Sheet|*.tvr", "Sheet (*.tvr)"}, // no closing "||"
        {"Sheet|*.tvr||Ignored|*.x||", "Sheet (*.tvr)"},
        {"", ""},
    };
    for (const auto& row : table) {
        EXPECT_EQ(CFileDialogEx::QtFilter(QString::fromUtf8(row.in)), QString::fromUtf8(row.out))
            << row.in;
        EXPECT_EQ(CFileChooser::QtFilter(QString::fromUtf8(row.in)), QString::fromUtf8(row.out));
    }
}

struct ExtCase {
    const char* name;
    const char* defExt;
    const char* typed;
    const char* chosen;
};

class FileDialogExDefaultExtTest : public FileDialogExTest,
                                   public ::testing::WithParamInterface<ExtCase> {};

TEST_P(FileDialogExDefaultExtTest, AddedOnlyWhenTheNameHasNone) {
    const ExtCase& c = GetParam();
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("sub.d")));
    CFileDialogEx dlg(false, QString::fromUtf8(c.defExt), QStringLiteral("Tavrel"), kSaveFlags,
                      QStringLiteral("CSVﾌｧｲﾙ(*.csv) |*.csv||"));
    DriveFileDialog([&](QFileDialog& d) { TypeAndAccept(d, Path(QString::fromUtf8(c.typed))); });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetPathName(), Path(QString::fromUtf8(c.chosen)));
    EXPECT_TRUE(m_ui.m_shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Names, FileDialogExDefaultExtTest,
                         ::testing::Values(ExtCase{"Added", "csv", "out", "out.csv"},
                                           ExtCase{"KeptWhenPresent", "csv", "out.txt", "out.txt"},
                                           ExtCase{"StarMeansNone", "*", "out", "out"},
                                           ExtCase{"EmptyMeansNone", "", "out", "out"},
                                           ExtCase{"DotInTheFolderDoesNotCount", "html",
                                                   "sub.d/page", "sub.d/page.html"}),
                         [](const ::testing::TestParamInfo<ExtCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(FileDialogExTest, SetsTitleFilterAndInitialName) {
    CFileDialogEx save(false, QStringLiteral("csv"), QStringLiteral("Tavrel"), kSaveFlags,
                       QStringLiteral("CSVﾌｧｲﾙ(*.csv) |*.csv|ﾃｷｽﾄﾌｧｲﾙ(*.txt) |*.txt||"));
    save.SetTitle(QStringLiteral("CSV出力先ファイル名"));
    DriveFileDialog([&](QFileDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("CSV出力先ファイル名"));
        EXPECT_EQ(d.acceptMode(), QFileDialog::AcceptSave);
        // Each description once, as stored.
        EXPECT_EQ(d.nameFilters(), (QStringList{QStringLiteral("CSVﾌｧｲﾙ(*.csv)"),
                                                QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.txt)")}));
        ASSERT_NE(NameBox(d), nullptr);
        EXPECT_EQ(NameBox(d)->text(), QStringLiteral("Tavrel"));
    });
    EXPECT_EQ(save.DoModal(), IDCANCEL);

    // A pattern as the initial name starts in the name box too.
    CFileDialogEx open(true, QStringLiteral("*"), QStringLiteral("*.CSV"), kOpenFlags,
                       QStringLiteral("CSVﾌｧｲﾙ(*.CSV) |*.CSV|全てのﾌｧｲﾙ(*.*) |*.*||"));
    DriveFileDialog([&](QFileDialog& d) {
        EXPECT_EQ(d.acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(d.fileMode(), QFileDialog::ExistingFile);
        ASSERT_NE(NameBox(d), nullptr);
        EXPECT_EQ(NameBox(d)->text(), QStringLiteral("*.CSV"));
    });
    EXPECT_EQ(open.DoModal(), IDCANCEL);
}

QStringList ListedPatterns(QFileDialog& d) {
    auto* model = d.findChild<QFileSystemModel*>(QStringLiteral("qt_filesystem_model"));
    return model ? model->nameFilters() : QStringList{QStringLiteral("no model")};
}

TEST_F(FileDialogExTest, EveryFileFilterListsNamesWithoutADot) {
    // "*.*" in the filter is every file; Qt reading the "(*.*)" of the text
    // would miss a name such as "README".
    CFileDialogEx open(true, QStringLiteral("*"), QStringLiteral("*.CSV"), kOpenFlags,
                       QStringLiteral("CSVﾌｧｲﾙ(*.CSV) |*.CSV|全てのﾌｧｲﾙ(*.*) |*.*||"));
    QStringList first, second;
    DriveFileDialog([&](QFileDialog& d) {
        first = ListedPatterns(d);
        d.selectNameFilter(QStringLiteral("全てのﾌｧｲﾙ(*.*)"));
        emit d.filterSelected(QStringLiteral("全てのﾌｧｲﾙ(*.*)")); // as the list box does
        QApplication::processEvents();
        second = ListedPatterns(d);
    });
    EXPECT_EQ(open.DoModal(), IDCANCEL);
    EXPECT_EQ(first, QStringList{QStringLiteral("*.CSV")});
    EXPECT_EQ(second, QStringList{QStringLiteral("*")});
}

TEST_F(FileDialogExTest, TypedPatternFiltersAndKeepsTheDialogOpen) {
    Touch(QStringLiteral("a.CSV"));
    CFileDialogEx open(true, QStringLiteral("*"), QStringLiteral("*.CSV"), kOpenFlags,
                       QStringLiteral("CSVﾌｧｲﾙ(*.CSV) |*.CSV||"));
    bool stillOpen = false;
    QStringList patterns;
    DriveFileDialog([&](QFileDialog& d) {
        d.setDirectory(m_dir.path());
        TypeAndAccept(d, QStringLiteral("*.txt"));
        stillOpen = d.isVisible();
        patterns = ListedPatterns(d);
        // The name box then takes a real name.
        TypeAndAccept(d, QStringLiteral("a.CSV"));
    });
    EXPECT_EQ(open.DoModal(), IDOK);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(patterns, QStringList{QStringLiteral("*.txt")});
    EXPECT_TRUE(m_ui.m_shown.empty()) << "a pattern is no missing file";
    EXPECT_EQ(open.GetPathName(), Path(QStringLiteral("a.CSV")));
}

TEST_F(FileDialogExTest, CancelGivesIdCancelAndNoPath) {
    for (bool bOpen : {true, false}) {
        CFileDialogEx dlg(bOpen, QStringLiteral("csv"), QStringLiteral("Tavrel"), kSaveFlags,
                          QStringLiteral("CSV|*.csv||"));
        DriveFileDialog([&](QFileDialog& d) {
            QTest::keyClicks(NameBox(d), "typed");
            QTest::keyClick(NameBox(d), Qt::Key_Escape);
            EXPECT_FALSE(d.isVisible());
        });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_TRUE(dlg.GetPathName().isEmpty());
    }
}

TEST_F(FileDialogExTest, CurrentDirectoryStaysWhereItWasWhateverTheFlags) {
    QTemporaryDir elsewhere;
    ASSERT_TRUE(elsewhere.isValid());
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    const QString before = QDir::currentPath();
    Touch(QStringLiteral("in.csv"));

    // Open without OFN_NOCHANGEDIR, as the CSV import asks.
    CFileDialogEx open(true, QStringLiteral("*"), QStringLiteral("*.CSV"), kOpenFlags,
                       QStringLiteral("CSV|*.CSV||"));
    DriveFileDialog([&](QFileDialog& d) { TypeAndAccept(d, Path(QStringLiteral("in.csv"))); });
    ASSERT_EQ(open.DoModal(), IDOK);
    EXPECT_EQ(open.GetPathName(), Path(QStringLiteral("in.csv")));
    EXPECT_EQ(QDir::currentPath(), before);

    CFileDialogEx save(false, QStringLiteral("csv"), QStringLiteral("Tavrel"), kSaveFlags,
                       QStringLiteral("CSV|*.csv||"));
    DriveFileDialog([&](QFileDialog& d) { TypeAndAccept(d, Path(QStringLiteral("out"))); });
    ASSERT_EQ(save.DoModal(), IDOK);
    EXPECT_EQ(QDir::currentPath(), before);
}

TEST_F(FileDialogExTest, RelativeNameIsTakenInTheDialogsFolderAndGivenInFull) {
    CFileDialogEx dlg(false, QStringLiteral("csv"), Path(QStringLiteral("start")), kSaveFlags,
                      QStringLiteral("CSV|*.csv||"));
    DriveFileDialog([&](QFileDialog& d) {
        EXPECT_EQ(QDir(d.directory()).canonicalPath(), QDir(m_dir.path()).canonicalPath());
        TypeAndAccept(d, QStringLiteral("rel"));
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(QDir(QFileInfo(dlg.GetPathName()).absolutePath()).canonicalPath(),
              QDir(m_dir.path()).canonicalPath());
    EXPECT_EQ(QFileInfo(dlg.GetPathName()).fileName(), QStringLiteral("rel.csv"));
    EXPECT_TRUE(QFileInfo(dlg.GetPathName()).isAbsolute());
}

// Without a folder in the initial name, a dialog starts where the same kind
// of dialog was last used in the run; another kind is not moved.
TEST_F(FileDialogExTest, StartsWhereTheSameDialogWasLastUsed) {
    QTemporaryDir other;
    auto run = [](const QString& title, const std::function<void(QFileDialog&)>& drive) {
        CFileDialogEx dlg(false, QStringLiteral("csv"), QStringLiteral("Tavrel"), kSaveFlags,
                          QStringLiteral("CSV|*.csv||"));
        dlg.SetTitle(title);
        DriveFileDialog(drive);
        return dlg.DoModal();
    };
    ASSERT_EQ(run(QStringLiteral("一度目"),
                  [&](QFileDialog& d) {
                      TypeAndAccept(d, QDir(other.path()).filePath(QStringLiteral("x")));
                  }),
              IDOK);
    QString again, elsewhere;
    run(QStringLiteral("一度目"), [&](QFileDialog& d) { again = d.directory().canonicalPath(); });
    run(QStringLiteral("別の種類"),
        [&](QFileDialog& d) { elsewhere = d.directory().canonicalPath(); });
    EXPECT_EQ(again, QDir(other.path()).canonicalPath());
    EXPECT_EQ(elsewhere, QDir::current().canonicalPath());
}

TEST_F(FileDialogExTest, OverwriteIsAskedAndNoKeepsTheDialogOpen) {
    Touch(QStringLiteral("old.csv"));
    m_ui.QueueAnswer(IDNO);
    m_ui.QueueAnswer(IDYES);
    bool openAfterNo = false;
    CFileDialogEx dlg(false, QStringLiteral("csv"), QStringLiteral("Tavrel"), kSaveFlags,
                      QStringLiteral("CSV|*.csv||"));
    DriveFileDialog([&](QFileDialog& d) {
        TypeAndAccept(d, Path(QStringLiteral("old"))); // the extension makes it the old file
        openAfterNo = d.isVisible();
        TypeAndAccept(d, Path(QStringLiteral("old.csv")));
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(openAfterNo);
    EXPECT_EQ(dlg.GetPathName(), Path(QStringLiteral("old.csv")));
    ASSERT_EQ(m_ui.m_shown.size(), 2u);
    EXPECT_NE(m_ui.m_shown[0].text.find("old.csv"), std::string::npos);
    EXPECT_EQ(m_ui.m_shown[0].type & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));

    // Without the flag a file that exists is taken without a question.
    m_ui.m_shown.clear();
    CFileDialogEx quiet(false, QStringLiteral("csv"), QString(), OFN_HIDEREADONLY,
                        QStringLiteral("CSV|*.csv||"));
    DriveFileDialog([&](QFileDialog& d) { TypeAndAccept(d, Path(QStringLiteral("old.csv"))); });
    EXPECT_EQ(quiet.DoModal(), IDOK);
    EXPECT_TRUE(m_ui.m_shown.empty());
}

TEST_F(FileDialogExTest, MissingFileOrFolderIsRefusedAndTheDialogStaysOpen) {
    // Open with OFN_FILEMUSTEXIST: the dialog is pressed on for a missing file.
    bool openStill = false;
    CFileDialogEx open(true, QStringLiteral("*"), QStringLiteral("*.*"), kOpenFlags,
                       QStringLiteral("all|*.*||"));
    DriveFileDialog([&](QFileDialog& d) {
        NameBox(d)->setText(Path(QStringLiteral("missing.txt")));
        QMetaObject::invokeMethod(&d, "accept"); // as the Open button would
        openStill = d.isVisible();
    });
    EXPECT_EQ(open.DoModal(), IDCANCEL);
    EXPECT_TRUE(openStill);
    ASSERT_EQ(m_ui.m_shown.size(), 1u);
    EXPECT_NE(m_ui.m_shown[0].text.find("missing.txt"), std::string::npos);

    // Save with OFN_PATHMUSTEXIST into a folder that is not there.
    m_ui.m_shown.clear();
    openStill = false;
    CFileDialogEx save(false, QStringLiteral("csv"), QString(), kSaveFlags,
                       QStringLiteral("CSV|*.csv||"));
    DriveFileDialog([&](QFileDialog& d) {
        TypeAndAccept(d, Path(QStringLiteral("nofolder/out.csv")));
        openStill = d.isVisible();
    });
    EXPECT_EQ(save.DoModal(), IDCANCEL);
    EXPECT_TRUE(openStill);
    ASSERT_EQ(m_ui.m_shown.size(), 1u);
    EXPECT_NE(m_ui.m_shown[0].text.find("nofolder"), std::string::npos);
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("nofolder"))));
}

TEST_F(FileDialogExTest, CentredOverItsOwner) {
    QWidget owner;
    owner.setGeometry(50, 60, 1000, 700);
    owner.show();
    QRect dialogFrame;
    CFileDialogEx dlg(true, QStringLiteral("*"), QStringLiteral("*.*"), kOpenFlags,
                      QStringLiteral("all|*.*||"), &owner);
    DriveFileDialog([&](QFileDialog& d) {
        EXPECT_EQ(d.parentWidget(), &owner);
        dialogFrame = d.frameGeometry();
    });
    dlg.DoModal();
    EXPECT_LE((dialogFrame.center() - owner.frameGeometry().center()).manhattanLength(), 1);
}

TEST_F(FileDialogExTest, FileChooserAsksThroughTheDialog) {
    // The CSV export question, answered for real: title, extension, full path.
    DriveFileDialog([&](QFileDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("CSV出力先ファイル名"));
        TypeAndAccept(d, Path(QStringLiteral("export")));
    });
    auto path = CFileChooser::CsvExport(nullptr);
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(*path, Path(QStringLiteral("export.csv")));

    DriveFileDialog([&](QFileDialog& d) { d.reject(); });
    EXPECT_FALSE(CFileChooser::CsvImport(nullptr).has_value());
}

} // namespace

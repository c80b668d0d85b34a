#pragma once
// An editor started as the program starts it, with the settings in memory
// (kept across "restarts"), scripted answers for message boxes, and the
// new-file dialog and file questions answered for the user.
#include <memory>
#include <optional>
#include <vector>

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/MainFrame.h"
#include "dialogs/DlgTestUtil.h"
#include "dialogs/NewFileDlg.h"
#include "app/TavrelApp.h"
#include "app/TavrelDoc.h"
#include "dialogs/FileChooser.h"
#include "fw/Profile.h"
#include "fw/UserInterface.h"
#include "model/SheetIo.h"
#include "ScriptedAnswers.h"

struct AppFixture {
    QTemporaryDir dir;
    CMemoryProfile profile;
    CScriptedAnswers ui;
    std::unique_ptr<CTavrelApp> app;

    // What the new-file dialog answers, and what was seen when it was asked.
    int newFileAnswer = IDCANCEL;
    QString newFileLines;
    int newFileShown = 0;
    bool windowVisibleAtNewFile = false;
    // What the file questions answer (nullopt: cancel), and what they asked.
    std::optional<QString> fileAnswer;
    std::vector<CFileChooser::Request> fileAsked;

    AppFixture() {
        // Recovery copies go to this fixture's folder, never the user's.
        UseDataHome(Path("data"));
        ui.AnswerDialogs<CNewFileDlg>([this](CNewFileDlg& dlg) {
            ++newFileShown;
            windowVisibleAtNewFile = app && app->GetMainWnd() && app->GetMainWnd()->isVisible();
            dlg.m_strLines = newFileLines;
            return newFileAnswer;
        });
        AnswerFileQuestions(ui, [this](const CFileChooser::Request& r) {
            fileAsked.push_back(r);
            return fileAnswer;
        });
    }
    ~AppFixture() {
        Stop();
        AfxSetProfile(nullptr);
    }

    CTavrelApp::StartResult Start(const QStringList& args = {}) {
        app = std::make_unique<CTavrelApp>(profile);
        return app->InitInstance(args);
    }
    // Closes the window as the user would (the save question may be asked).
    bool Close() {
        if (!app)
            return true;
        CMainFrame* frame = app->GetMainWnd();
        return !frame->isVisible() || frame->close();
    }
    void Stop() {
        if (app && app->GetMainWnd() && app->GetMainWnd()->isVisible())
            Close();
        app.reset();
    }

    // Where the next start keeps its recovery copies: DIR/<application>/recovery.
    static void UseDataHome(const QString& dir) {
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir));
    }

    CTavrelDoc& Doc() { return *app->GetDocument(); }
    CMainFrame& Frame() { return *app->GetMainWnd(); }

    QString Path(const char* name) const {
        return QDir(dir.path()).filePath(QString::fromUtf8(name));
    }
    // A sheet file with the given rows, written as the program writes it.
    QString WriteSheet(const char* name, const std::string& rows) {
        CSheetFile sheet;
        BuildNewSheet(sheet, rows);
        const QString path = Path(name);
        EXPECT_FALSE(SaveSheetFile(sheet, path.toStdString()).has_value());
        return path;
    }
    QString WriteBytes(const char* name, const QByteArray& bytes) {
        const QString path = Path(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    std::string Recent(int n) {
        return profile.GetProfileString("Recent File List", "File" + std::to_string(n), "");
    }
};

// Runs act on the first modal window that pred accepts, once it has the
// keyboard (or, failing that, after two seconds). A window that act leaves
// open is rejected a second later, so a lost key fails the test instead of
// hanging it.
inline void WhenModal(const std::function<bool(QWidget*)>& pred,
                      const std::function<void(QWidget*)>& act, int triesLeft = 400) {
    QTimer::singleShot(5, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && pred(modal) &&
            (QGuiApplication::focusWindow() == modal->windowHandle() || triesLeft == 0)) {
            QPointer<QWidget> guard(modal);
            act(modal);
            QTimer::singleShot(1000, [guard] {
                if (auto* dlg = qobject_cast<QDialog*>(guard.data()); dlg && dlg->isVisible())
                    dlg->reject();
            });
            return;
        }
        if (triesLeft > 0)
            WhenModal(pred, act, triesLeft - 1);
    });
}

// A key as the keyboard sends it: to the window that has the keyboard
// (none: the key is lost), which hands it to its focus.
inline bool Type(Qt::Key key) {
    QWindow* window = QGuiApplication::focusWindow();
    if (!window)
        return false;
    QTest::keyClick(window, key);
    return true;
}

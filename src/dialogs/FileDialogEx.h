#pragma once
// The program's own open and save file dialog, over Qt's file dialog, keeping
// what its callers rely on: open or save, a default extension added to a name
// that has none, an initial name (a pattern such as "*.*" only filters), the
// filter in the "description|pattern|...||" form, a title, the flags below,
// centring over the owner, IDOK / IDCANCEL and the chosen full path.
// It never changes the process's current directory, whatever the flags say.
#include <QList>
#include <QString>
#include <QStringList>

#include "fw/Types.h"
#include "fw/UserInterface.h"

class QWidget;

// The flags the program's callers pass (the platform's values).
enum : DWORD {
    OFN_OVERWRITEPROMPT = 0x2,
    OFN_HIDEREADONLY = 0x4,
    OFN_NOCHANGEDIR = 0x8,
    OFN_PATHMUSTEXIST = 0x800,
    OFN_FILEMUSTEXIST = 0x1000,
};

class CFileDialogEx : public CModalDialog {
public:
    // defExt without the dot ("*" or empty for none); filter as
    // "description|pattern|...||"; no owner means the active window.
    CFileDialogEx(bool bOpenFileDialog, const QString& defExt, const QString& fileName, DWORD flags,
                  const QString& filter, QWidget* pParentWnd = nullptr);

    void SetTitle(const QString& title) { m_strTitle = title; }

    // IDOK when the user chose a file, IDCANCEL otherwise; through the
    // user-interaction interface.
    int DoModal();
    int ShowModal() override;

    // Full path of the chosen file (empty before IDOK).
    QString GetPathName() const { return m_strPathName; }
    // What an answer given in the user's place chose.
    void SetPathName(const QString& path) { m_strPathName = path; }

    // What the dialog asks, as constructed.
    bool IsOpenDialog() const { return m_bOpenFileDialog; }
    const QString& DefExt() const { return m_strDefExt; }
    const QString& FileName() const { return m_strFileName; }
    const QString& FilterText() const { return m_strFilter; }

    // One filter: the text shown (the description as stored, once) and the
    // patterns it lets through ("*.*" is every file, with or without a dot).
    struct Filter {
        QString text;
        QStringList patterns;
    };
    // Reads "description|pattern|...||", up to the first empty part.
    static QList<Filter> Filters(const QString& filter);
    // The texts of Filters() joined with ";;", as Qt lists name filters.
    static QString QtFilter(const QString& filter);

    // The name with the default extension when it has none ("*" means none).
    static QString WithDefaultExt(const QString& path, const QString& defExt);

    // Set after construction, as callers set the title.
    QString m_strTitle;
    DWORD m_dwFlags;

private:
    bool m_bOpenFileDialog;
    QString m_strDefExt;
    QString m_strFileName;
    QString m_strFilter;
    QWidget* m_pParentWnd;
    QString m_strPathName;
};

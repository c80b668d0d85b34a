#pragma once
// The program's own file questions (link file, HTML output, CSV export and
// import), each with its fixed title, filter, default extension, initial
// name and flags. Each is a CFileDialogEx run through the user-interaction
// interface, where a test answers for the user and sees what was asked.
#include <QString>
#include <optional>

#include "dialogs/FileDialogEx.h"
#include "fw/Types.h"

class QWidget;

class CFileChooser {
public:
    struct Request {
        bool bOpen;          // open (TRUE) or save (FALSE)
        QString defExt;      // without the dot; "*" for none
        QString initialName; // a pattern such as "*.*" only filters
        DWORD flags;
        QString filter; // "description|pattern|...||"
        QString title;
    };

    static std::optional<QString> LinkFile(QWidget* pOwner);
    static std::optional<QString> HtmlOutput(QWidget* pOwner);
    static std::optional<QString> CsvExport(QWidget* pOwner);
    static std::optional<QString> CsvImport(QWidget* pOwner);
    // The sheet files themselves: Open, and Save As starting from initialName.
    static std::optional<QString> SheetOpen(QWidget* pOwner);
    static std::optional<QString> SheetSaveAs(const QString& initialName, QWidget* pOwner);

    // Full path of the chosen file, or nothing when the user cancelled.
    static std::optional<QString> Run(const Request& request, QWidget* pOwner);

    // Turns "description|pattern|...||" into the Qt form, one filter a line.
    static QString QtFilter(const QString& filter) { return CFileDialogEx::QtFilter(filter); }
};

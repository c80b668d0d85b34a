#include "dialogs/FileChooser.h"

#include "fw/UserInterface.h"

std::optional<QString> CFileChooser::LinkFile(QWidget* pOwner) {
    return Run({true, "*", "*.*", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                QStringLiteral("全てのﾌｧｲﾙ(*.*) |*.*||"), QStringLiteral("リンクファイル")},
               pOwner);
}

std::optional<QString> CFileChooser::HtmlOutput(QWidget* pOwner) {
    return Run({false, "html", "*.html",
                OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST,
                QStringLiteral("htmlﾌｧｲﾙ(*.html) |*.html||"), QStringLiteral("HTML出力")},
               pOwner);
}

std::optional<QString> CFileChooser::CsvExport(QWidget* pOwner) {
    return Run({false, "csv", "Tavrel",
                OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST,
                QStringLiteral("CSVﾌｧｲﾙ(*.csv) |*.csv|ﾃｷｽﾄﾌｧｲﾙ(*.txt) |*.txt||"),
                QStringLiteral("CSV出力先ファイル名")},
               pOwner);
}

std::optional<QString> CFileChooser::CsvImport(QWidget* pOwner) {
    return Run({true, "*", "*.CSV", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                QStringLiteral("CSVﾌｧｲﾙ(*.CSV) |*.CSV|全てのﾌｧｲﾙ(*.*) |*.*||"),
                QStringLiteral("インポート")},
               pOwner);
}

namespace {
const char* const kSheetFilter = "ﾁｪｯｸｼｰﾄ(*.tvr)|*.tvr|すべてのﾌｧｲﾙ (*.*)|*.*||";
} // namespace

std::optional<QString> CFileChooser::SheetOpen(QWidget* pOwner) {
    return Run({true, QStringLiteral("tvr"), QString(), OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                QString::fromUtf8(kSheetFilter), QStringLiteral("開く")},
               pOwner);
}

std::optional<QString> CFileChooser::SheetSaveAs(const QString& initialName, QWidget* pOwner) {
    return Run({false, QStringLiteral("tvr"), initialName, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                QString::fromUtf8(kSheetFilter), QStringLiteral("名前を付けて保存")},
               pOwner);
}

std::optional<QString> CFileChooser::Run(const Request& request, QWidget* pOwner) {
    CFileDialogEx dialog(request.bOpen, request.defExt, request.initialName, request.flags,
                         request.filter, pOwner);
    dialog.SetTitle(request.title);
    if (dialog.DoModal() != IDOK)
        return std::nullopt;
    return dialog.GetPathName();
}

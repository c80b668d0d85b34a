#include "dialogs/FileChooser.h"

#include <QFileDialog>
#include <QStringList>

std::function<std::optional<QString>(const CFileChooser::Request&)> CFileChooser::s_hook;

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

QString CFileChooser::QtFilter(const QString& filter) {
    QStringList parts = filter.split(QChar('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty() && parts[i + 1].isEmpty())
            break;
        QString pattern = parts[i + 1];
        // "*.*" means every file, also those without an extension.
        pattern.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        pattern.replace(QChar(';'), QChar(' '));
        out << parts[i] + QStringLiteral(" (") + pattern + QStringLiteral(")");
    }
    return out.join(QStringLiteral(";;"));
}

std::optional<QString> CFileChooser::Run(const Request& request, QWidget* pOwner) {
    if (s_hook)
        return s_hook(request);
    QFileDialog dialog(pOwner, request.title);
    dialog.setAcceptMode(request.bOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.flags & OFN_FILEMUSTEXIST ? QFileDialog::ExistingFile
                                                         : QFileDialog::AnyFile);
    dialog.setNameFilter(QtFilter(request.filter));
    if (request.defExt != QStringLiteral("*"))
        dialog.setDefaultSuffix(request.defExt);
    if (!request.initialName.contains(QChar('*')))
        dialog.selectFile(request.initialName);
    if (!(request.flags & OFN_OVERWRITEPROMPT))
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

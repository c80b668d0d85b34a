#include "view/FontLinkCommands.h"

#include <span>
#include <utility>

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QWidget>

#include "dialogs/FontDlg.h"
#include "document/SheetDocument.h"
#include "fw/Cp932.h"
#include "fw/UserInterface.h"
#include "model/DisplaySettings.h"
#include "qt/QtUserInterface.h"
#include "model/SheetFile.h"
#include "res/CommandIds.h"
#include "view/ViewHost.h"

// Every command of this class; all are always enabled.
std::span<const CFontLinkCommands::Command> CFontLinkCommands::Commands() {
    static const Command kCommands[] = {
        {ID_VIEW_LINE_FONT, [](CFontLinkCommands& c) { c.OnViewFont(true); }},
        {ID_VIEW_COLUMN_FONT, [](CFontLinkCommands& c) { c.OnViewFont(false); }},
        {ID_VIEW_LINE_LINK, [](CFontLinkCommands& c) { c.OnOpenLink(true); }},
        {ID_VIEW_COLUMN_LINK, [](CFontLinkCommands& c) { c.OnOpenLink(false); }},
    };
    return kCommands;
}

namespace {

std::string CannotOpen(const std::string& link) {
    return link + "\nリンクファイルを開けませんでした。";
}

} // namespace

CSheetFile& CFontLinkCommands::Sheet() const {
    return m_pHost->GetDocument()->m_Sheet;
}

QWidget* CFontLinkCommands::Owner() const {
    QWidget* w = m_pHost->Widget();
    return w ? w->window() : nullptr;
}

// Fonts.

bool CFontLinkCommands::PickFont(CFont& font, bool bLineFont) {
    CFontDlg dlg(font, Owner());
    if (dlg.DoModal() != IDOK)
        return false;
    font = dlg.m_font;
    // The realised font of the old description must not be reused.
    font.m_pPlatform.reset();
    WriteFontSetting(bLineFont, font);
    return true;
}

void CFontLinkCommands::OnViewFont(bool bLineFont) {
    // A new look for the sheet: a copy being printed keeps the one it has.
    CDisplaySettings look = Sheet().Look();
    if (!PickFont(bLineFont ? look.m_fontLine : look.m_fontColumn, bLineFont))
        return;
    Sheet().SetLook(std::move(look));
    // Heights and widths follow the new font at once; the scroll bars stay
    // where they are until the window is resized.
    m_pHost->CalcMetricsAndLayout();
    m_pHost->UpdateAllViews();
}

// Link files.

std::optional<std::string> CFontLinkCommands::LinkTarget(const std::string& link,
                                                         const std::string& sheetFolder) {
    const QString s = QString::fromStdString(link);
    if (HasUrlScheme(s)) {
        const QUrl url(s);
        if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
            return std::nullopt;
        return link;
    }
    QString path = s;
    if (QDir::isRelativePath(s)) {
        // A link next to the sheet is written relative to the sheet's folder.
        const QString base =
            sheetFolder.empty() ? QDir::homePath() : QString::fromStdString(sheetFolder);
        path = QDir(base).filePath(s);
    }
    if (!QFileInfo::exists(path))
        return std::nullopt;
    return path.toStdString();
}

void CFontLinkCommands::OnOpenLink(bool bLine) {
    const CSheetFile& sheet = Sheet();
    const std::string* pLink = nullptr;
    if (bLine) {
        if (const CLineData* p = sheet.GetCurLine())
            pLink = &p->m_strLinkFile;
    } else if (const CColumnData* p = sheet.GetCurColumn()) {
        pLink = &p->m_strLinkFile;
    }
    if (pLink == nullptr)
        return;
    CUserInterface& ui = AfxGetUserInterface();
    if (pLink->empty()) {
        ui.MessageBox(bLine ? "この行のリンクファイルが指定されていません"
                            : "この列のリンクファイルが指定されていません",
                      MB_OK);
        return;
    }
    const std::string link = cp932::ToUtf8(*pLink);
    const std::string path = m_pHost->DocumentPath();
    const std::string folder =
        path.empty() ? std::string()
                     : QFileInfo(QString::fromStdString(path)).absolutePath().toStdString();
    const std::optional<std::string> target = LinkTarget(link, folder);
    if (!target || !ui.ShellOpen(*target))
        ui.MessageBox(CannotOpen(link), MB_OK | MB_ICONEXCLAMATION);
}

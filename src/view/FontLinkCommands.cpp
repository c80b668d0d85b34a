#include "view/FontLinkCommands.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QWidget>

#include "dialogs/FontDlg.h"
#include "document/SheetDocument.h"
#include "fw/Cp932.h"
#include "fw/UserInterface.h"
#include "model/DisplaySettings.h"
#include "model/SheetFile.h"
#include "res/CommandIds.h"
#include "view/ViewHost.h"

namespace {

struct FontLinkCommand {
    UINT id;
    void (*run)(CFontLinkCommands&);
};

// Every command of this class; all are always enabled.
const FontLinkCommand kCommands[] = {
    {ID_VIEW_LINE_FONT, [](CFontLinkCommands& c) { c.OnViewFont(true); }},
    {ID_VIEW_COLUMN_FONT, [](CFontLinkCommands& c) { c.OnViewFont(false); }},
    {ID_VIEW_LINE_LINK, [](CFontLinkCommands& c) { c.OnOpenLink(true); }},
    {ID_VIEW_COLUMN_LINK, [](CFontLinkCommands& c) { c.OnOpenLink(false); }},
};

const FontLinkCommand* Find(UINT id) {
    for (const FontLinkCommand& c : kCommands)
        if (c.id == id)
            return &c;
    return nullptr;
}

// "http:", "mailto:", "file:" and the like; a single letter before the colon
// is a drive ("C:\..."), so a path.
bool HasScheme(const QString& s) {
    const qsizetype colon = s.indexOf(u':');
    if (colon < 2)
        return false;
    for (qsizetype i = 0; i < colon; ++i) {
        const QChar c = s[i];
        const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
        const bool other = (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.';
        if (!(letter || (i > 0 && other)))
            return false;
    }
    return true;
}

std::string CannotOpen(const std::string& link) {
    return link + "\nリンクファイルを開けませんでした。";
}

} // namespace

bool CFontLinkCommands::Handles(UINT id) {
    return Find(id) != nullptr;
}

bool CFontLinkCommands::OnUpdateCmdUI(CCmdUI& cmdUI) {
    if (!Handles(cmdUI.m_nID))
        return false;
    cmdUI.Enable(true);
    return true;
}

bool CFontLinkCommands::OnCmdMsg(UINT id) {
    const FontLinkCommand* c = Find(id);
    if (!c)
        return false;
    c->run(*this);
    return true;
}

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
    if (!PickFont(bLineFont ? g_Display.m_fontLine : g_Display.m_fontColumn, bLineFont))
        return;
    // Heights and widths follow the new font at once; the scroll bars stay
    // where they are until the window is resized.
    m_pHost->CalcMetricsAndLayout();
    m_pHost->UpdateAllViews();
}

// Link files.

std::optional<std::string> CFontLinkCommands::LinkTarget(const std::string& link,
                                                         const std::string& sheetFolder) {
    const QString s = QString::fromStdString(link);
    if (HasScheme(s)) {
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

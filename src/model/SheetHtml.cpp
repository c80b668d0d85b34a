// HTML export of the sheet: the table (also the clipboard fragment) and the
// page around it, built with CHtmlTag. What the user wrote (names, title,
// stylesheet name) is escaped after the builder's own quote handling, so a
// name can place text but never markup into the page the preview opens.
#include <string>
#include <utility>

#include "fw/Cp932.h"
#include "fw/UserInterface.h"
#include "io/ExportTexts.h"
#include "io/HtmlEscape.h"
#include "io/HtmlTag.h"
#include "io/TextFile.h"
#include "model/SheetFile.h"

namespace {

// An element with a tag, escaped user text as its content and one class.
void AddCell(CHtmlTag& tr, const char* tag, const std::string& text, const char* cls) {
    CHtmlTag td(tag, HtmlEscape(text));
    if (cls)
        td.SetAttribute("class", cls);
    tr.AddChild(td, FALSE, FALSE);
}

} // namespace

std::string CSheetFile::HtmlMarkText(BOOL bCheck) const {
    return MarkText(m_nHtmlMark, bCheck);
}

std::string CSheetFile::MakeHtmlTable() const {
    CHtmlTag table("<table class=\"Tavrel\" border=\"1\">");
    {
        CHtmlTag tr("<tr class=\"CheckRow1\">");
        // The corner text is ours, not the user's: placed as it is.
        CHtmlTag corner("td", CornerName());
        corner.SetAttribute("class", "CheckTop");
        tr.AddChild(corner, FALSE, FALSE);
        for (const auto& pColumn : m_Columns)
            AddCell(tr, "Td", pColumn->m_strName, "CheckItem1");
        table.AddChild(tr, FALSE, TRUE);
    }
    // A mark cell's text depends only on its state: each of the three is
    // built once and appended as AddChild would append it.
    auto markCell = [this](int state) {
        CHtmlTag td("<td>");
        if (state >= 0) {
            td.m_strContent = HtmlMarkText(state);
            td.SetAttribute("class", "CheckValue");
        }
        return td.GetHtml(FALSE);
    };
    const std::string plainCell = markCell(-1);
    const std::string uncheckedCell = markCell(FALSE);
    const std::string checkedCell = markCell(TRUE);
    for (const auto& pLine : *this) {
        CHtmlTag tr("<tr class=\"TavrelRowBody\">");
        AddCell(tr, "td", pLine->m_strName, "CheckItem2");
        tr.m_strContent.reserve(tr.m_strContent.size() +
                                static_cast<std::size_t>(pLine->GetSize()) * checkedCell.size());
        for (int k = 0; k < pLine->GetSize(); ++k) {
            const CDataItem* pItem = pLine->GetAt(k);
            if (pItem->GetType() != CELL_CHECK) {
                tr.m_strContent += plainCell;
                continue;
            }
            const CCheckItem* pCheck = AsCheckItem(pItem);
            tr.m_strContent += (pCheck && pCheck->m_bCheck) ? checkedCell : uncheckedCell;
        }
        table.AddChild(tr, FALSE, TRUE);
    }
    return table.GetHtml(TRUE);
}

std::string CSheetFile::MakeHtmlPage() const {
    std::string table = MakeHtmlTable();
    CHtmlTag head("<head>");
    CHtmlTag body("<body>");
    if (!m_strTitle.empty()) {
        const std::string title = HtmlEscape(m_strTitle);
        head.AddChild(CHtmlTag("title", title), FALSE, TRUE);
        body.AddChild(CHtmlTag("h1", title), FALSE, TRUE);
    }
    if (!m_strHtmlCss.empty()) {
        CHtmlTag link("<link rel=\"stylesheet\" type=\"text/css\">");
        link.SetAttribute("href", m_strHtmlCss.c_str());
        // The builder has taken the quotes off; what is left is the user's.
        const int i = link.FindAttribute("href");
        if (i >= 0) {
            CHtmlElement& href = link.m_Attributes[static_cast<std::size_t>(i)];
            href.m_strValue = HtmlEscape(href.m_strValue);
        }
        head.m_strContent += link.GetStartTag();
    }
    if (body.m_strContent.empty())
        body.m_strContent = std::move(table);
    else
        body.m_strContent += table;
    CHtmlTag html("<html>");
    html.m_strContent.reserve(head.m_strContent.size() + body.m_strContent.size() + 64);
    html.AddChild(head, TRUE, TRUE);
    html.AddChild(body, TRUE, TRUE);
    return html.GetHtml(TRUE);
}

BOOL CSheetFile::ExportHtml(BOOL bToFile) const {
    if (!bToFile) {
        AfxGetUserInterface().SetClipboardText(MakeHtmlTable());
        return TRUE;
    }
    return ExportHtmlFile(cp932::ToUtf8(m_strHtmlFile));
}

BOOL CSheetFile::ExportHtmlFile(const std::string& path) const {
    CTextFile file;
    try {
        // Binary: the page already carries its CR LF line ends.
        file.Open(path.c_str(), "wb");
    } catch (const COstrelFileException& e) {
        AfxGetUserInterface().MessageBox(e.m_strMessage, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return ExportHtmlFile(file);
}

BOOL CSheetFile::ExportHtmlFile(CTextFile& file) const {
    try {
        file << MakeHtmlPage();
        file.Close();
    } catch (const COstrelFileException& e) {
        AfxGetUserInterface().MessageBox(e.m_strMessage, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

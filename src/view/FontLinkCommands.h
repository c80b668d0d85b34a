#pragma once
// The font and link-file commands of the grid view: the row font and the
// column font chosen with the font dialog (applied at once, kept in the
// settings for every sheet, not recorded for undo), and the current row's or
// column's link file handed to the desktop's opener. The view owns one and
// forwards its commands to it.
#include <optional>
#include <span>
#include <string>

#include "fw/CmdTarget.h"

class CViewHost;
class CSheetFile;
struct CFont;
class QWidget;

class CFontLinkCommands : public CCommandTable<CFontLinkCommands> {
public:
    explicit CFontLinkCommands(CViewHost* pHost) : m_pHost(pHost) {}

    static std::span<const Command> Commands();

    void OnViewFont(bool bLineFont);
    void OnOpenLink(bool bLine);

    // Lets the user choose font; on OK it is replaced and written to its
    // section ("LineFont" or "ColumnFont"). False when nothing changed.
    bool PickFont(CFont& font, bool bLineFont);

    // What the opener gets for a link (UTF-8): an address with a scheme as it
    // is, a path made absolute against sheetFolder (UTF-8; empty: the home
    // folder). nullopt when the link names a local file that is not there.
    static std::optional<std::string> LinkTarget(const std::string& link,
                                                 const std::string& sheetFolder);

private:
    CSheetFile& Sheet() const;
    QWidget* Owner() const;

    CViewHost* m_pHost;
};

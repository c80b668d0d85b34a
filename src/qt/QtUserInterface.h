#pragma once
// Message boxes, the clipboard and the shell on the Qt desktop. Message boxes
// are captioned with the program's title, use the platform's icons and the
// Japanese button texts, and are modal to the main window.
#include <QPointer>
#include <QPrinter>
#include <QWidget>

#include "fw/UserInterface.h"

// The printer the print dialogs make: Qt's, under the name the interface uses.
class CPrinter : public QPrinter {
public:
    using QPrinter::QPrinter;
};

class CQtUserInterface : public CUserInterface {
public:
    // The window message boxes belong to; without one, the active window.
    void SetOwner(QWidget* pOwner) { m_pOwner = pOwner; }

    int DoModal(CModalDialog& dlg) override { return dlg.ShowModal(); }
    int MessageBox(const std::string& text, UINT type) override;
    bool SetClipboardText(const std::string& text) override;
    std::optional<std::string> GetClipboardText() override;
    bool ShellOpen(const std::string& target) override;
    void MessageBeep() override;

    bool SetClipboardData(const std::string& mimeType, const std::string& bytes) override;
    std::optional<std::string> GetClipboardData(const std::string& mimeType) override;
    std::optional<std::string> GetClipboardUnicodeText() override;
    bool SetClipboardImage(int width, int height,
                           const std::vector<std::uint32_t>& pixels) override;

    bool PrintDialog(const PrintPagesFn& printPages) override;
    void PrintPreview(const PrintPagesFn& printPages) override;

private:
    QWidget* Owner() const;

    QPointer<QWidget> m_pOwner; // cleared by Qt should the window go first
};

// Whether a link is an address ("http:", "mailto:", "file:" and the like)
// rather than a path; one letter before the colon is a drive.
bool HasUrlScheme(const QString& s);

#pragma once
// Message boxes, the clipboard and the shell on the Qt desktop. Message boxes
// are captioned with the program's title, use the platform's icons and the
// Japanese button texts, and are modal to the main window.
#include <QPointer>
#include <QWidget>

#include "fw/UserInterface.h"

class CQtUserInterface : public CUserInterface {
public:
    // The window message boxes belong to; without one, the active window.
    void SetOwner(QWidget* pOwner) { m_pOwner = pOwner; }

    int MessageBox(const std::string& text, UINT type) override;
    bool SetClipboardText(const std::string& text) override;
    std::optional<std::string> GetClipboardText() override;
    bool ShellOpen(const std::string& target) override;

    bool SetClipboardData(const std::string& mimeType, const std::string& bytes) override;
    std::optional<std::string> GetClipboardData(const std::string& mimeType) override;
    std::optional<std::string> GetClipboardUnicodeText() override;
    bool SetClipboardImage(int width, int height,
                           const std::vector<std::uint32_t>& pixels) override;

private:
    QPointer<QWidget> m_pOwner; // cleared by Qt should the window go first
};

#include "qt/QtUserInterface.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QUrl>

#include "fw/Cp932.h"
#include "qt/PrintSetup.h"

namespace {

QMessageBox::Icon IconFor(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

struct ButtonDef {
    const char* text; // UTF-8
    int id;
};

// The buttons of each style in the platform's order; any other style shows OK.
std::vector<ButtonDef> ButtonsFor(UINT type) {
    static const ButtonDef ok{"OK", IDOK};
    static const ButtonDef cancel{"キャンセル", IDCANCEL};
    static const ButtonDef yes{"はい(&Y)", IDYES};
    static const ButtonDef no{"いいえ(&N)", IDNO};
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {ok, cancel};
    case MB_YESNO:
        return {yes, no};
    case MB_YESNOCANCEL:
        return {yes, no, cancel};
    default:
        return {ok};
    }
}

} // namespace

// "http:", "mailto:", "file:" and the like; a single letter before the colon
// is a drive ("C:\..."), so a path.
bool HasUrlScheme(const QString& s) {
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

QWidget* CQtUserInterface::Owner() const {
    return m_pOwner ? m_pOwner.data() : QApplication::activeWindow();
}

int CQtUserInterface::MessageBox(const std::string& text, UINT type) {
    QMessageBox box(Owner());
    box.setWindowTitle(QStringLiteral("Tavreler"));
    box.setIcon(IconFor(type));
    // Messages quote file names and sheet texts: never read them as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(text));

    // One role for all keeps the platform's order whatever the desktop's
    // button layout; Esc is then exactly what is set below.
    const std::vector<ButtonDef> defs = ButtonsFor(type);
    std::vector<std::pair<QPushButton*, int>> buttons;
    for (const ButtonDef& d : defs)
        buttons.emplace_back(box.addButton(QString::fromUtf8(d.text), QMessageBox::ActionRole),
                             d.id);
    box.setDefaultButton(buttons.front().first);
    // Esc answers Cancel where there is one, and OK on a box with OK alone, as
    // the platform does; a Yes/No question has to be answered.
    QPushButton* pEscape = nullptr;
    for (const auto& [pButton, id] : buttons)
        if (id == IDCANCEL)
            pEscape = pButton;
    if (!pEscape && buttons.size() == 1)
        pEscape = buttons.front().first;
    if (pEscape)
        box.setEscapeButton(pEscape);

    box.exec();
    for (const auto& [pButton, id] : buttons)
        if (box.clickedButton() == pButton)
            return id;
    // Closed without an answer (its owner went away): the answer that changes nothing.
    if (pEscape)
        return buttons.size() == 1 ? IDOK : IDCANCEL;
    return IDNO;
}

bool CQtUserInterface::SetClipboardText(const std::string& text) {
    QClipboard* pClipboard = QGuiApplication::clipboard();
    if (!pClipboard)
        return false;
    pClipboard->setText(QString::fromStdString(cp932::ToUtf8(text)));
    return true;
}

std::optional<std::string> CQtUserInterface::GetClipboardText() {
    QClipboard* pClipboard = QGuiApplication::clipboard();
    const QMimeData* pData = pClipboard ? pClipboard->mimeData() : nullptr;
    if (!pData || !pData->hasText())
        return std::nullopt;
    // After the usual folding (a wave dash from another desktop becomes the
    // Windows one), a text with characters code page 932 has no code for is
    // not offered at all rather than pasted with holes or question marks.
    cp932::EncodeResult r = cp932::FromUtf8(pData->text().toStdString());
    if (!r.ok())
        return std::nullopt;
    return std::move(r.text);
}

bool CQtUserInterface::ShellOpen(const std::string& target) {
    const QString s = QString::fromStdString(target);
    if (s.isEmpty())
        return false;
    if (HasUrlScheme(s))
        return QDesktopServices::openUrl(QUrl(s));
    // A relative path is taken from the current folder, as the shell does.
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::current().absoluteFilePath(s)));
}

// Clipboard data beyond plain text.

bool CQtUserInterface::SetClipboardData(const std::string& mimeType, const std::string& bytes) {
    QClipboard* pClipboard = QGuiApplication::clipboard();
    if (!pClipboard)
        return false;
    // Only this format is offered: the clipboard takes the data object.
    auto* pData = new QMimeData;
    pData->setData(QString::fromStdString(mimeType),
                   QByteArray(bytes.data(), qsizetype(bytes.size())));
    pClipboard->setMimeData(pData);
    return true;
}

std::optional<std::string> CQtUserInterface::GetClipboardData(const std::string& mimeType) {
    QClipboard* pClipboard = QGuiApplication::clipboard();
    const QMimeData* pData = pClipboard ? pClipboard->mimeData() : nullptr;
    const QString type = QString::fromStdString(mimeType);
    if (!pData || !pData->hasFormat(type))
        return std::nullopt;
    const QByteArray bytes = pData->data(type);
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

std::optional<std::string> CQtUserInterface::GetClipboardUnicodeText() {
    QClipboard* pClipboard = QGuiApplication::clipboard();
    const QMimeData* pData = pClipboard ? pClipboard->mimeData() : nullptr;
    if (!pData || !pData->hasText())
        return std::nullopt;
    return pData->text().toStdString();
}

bool CQtUserInterface::SetClipboardImage(int width, int height,
                                         const std::vector<std::uint32_t>& pixels) {
    QClipboard* pClipboard = QGuiApplication::clipboard();
    if (!pClipboard || width <= 0 || height <= 0 ||
        pixels.size() != std::size_t(width) * std::size_t(height))
        return false;
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return false;
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const std::uint32_t* src = pixels.data() + std::size_t(y) * std::size_t(width);
        for (int x = 0; x < width; ++x)
            line[x] = 0xFF000000u | src[x];
    }
    pClipboard->setImage(image);
    return true;
}

void CQtUserInterface::MessageBeep() {
    QApplication::beep();
}

bool CQtUserInterface::PrintDialog(const PrintPagesFn& printPages) {
    CPrinter printer(QPrinter::HighResolution);
    ApplyRunMargins(printer);
    QPrintDialog dialog(&printer, Owner());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    KeepRunMargins(printer);
    return printPages(printer);
}

void CQtUserInterface::PrintPreview(const PrintPagesFn& printPages) {
    CPrinter printer(QPrinter::HighResolution);
    ApplyRunMargins(printer);
    QPrintPreviewDialog dialog(&printer, Owner());
    // The preview asks again on every change of page setup; the printer it
    // hands over is the one made here.
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&](QPrinter*) { printPages(printer); });
    dialog.exec();
    // Its page setup holds for the prints that follow.
    KeepRunMargins(printer);
}

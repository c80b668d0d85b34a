#pragma once
// What the program asks of the user and of the desktop: message boxes,
// dialogs, the clipboard and the shell. Commands reach them only through this
// interface so that every command runs in a test with scripted answers.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <typeindex>
#include <vector>

#include "fw/Types.h"

// Message box styles and results (the platform's values).
enum : UINT {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_ICONHAND = 0x10,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_TYPEMASK = 0xF,
    MB_ICONMASK = 0xF0,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

// A modal dialog as the interface runs it: its DoModal() hands it to
// CUserInterface::DoModal, which shows it or answers in the user's place.
class CModalDialog {
public:
    virtual ~CModalDialog() = default;
    // Shows the dialog and waits for the user; IDOK or IDCANCEL.
    virtual int ShowModal() = 0;
};

// The platform's printer: made by the interface's print dialogs and drawn on
// by whoever prints; only the platform side knows what it is.
class CPrinter;
// Draws every page on the printer; false when the printer could not be started.
using PrintPagesFn = std::function<bool(CPrinter&)>;

class CUserInterface {
public:
    virtual ~CUserInterface() = default;
    // Runs a modal dialog: IDOK or IDCANCEL, its members hold the answers.
    virtual int DoModal(CModalDialog& dlg) = 0;
    // text is UTF-8; the caption is always the program's title.
    virtual int MessageBox(const std::string& text, UINT type) = 0;
    // Plain text on the clipboard, in code page 932.
    virtual bool SetClipboardText(const std::string& text) = 0;
    virtual std::optional<std::string> GetClipboardText() = 0;
    // Opens a file or an address with the desktop's handler; false when that failed.
    virtual bool ShellOpen(const std::string& target) = 0;

    // Clipboard data beyond plain text: private formats named by their MIME
    // type, the text as the desktop holds it, and a picture.
    // bytes under mimeType; false when the clipboard could not take them.
    virtual bool SetClipboardData(const std::string& mimeType, const std::string& bytes) = 0;
    // The bytes under mimeType; nullopt when the clipboard has none.
    virtual std::optional<std::string> GetClipboardData(const std::string& mimeType) = 0;
    // The clipboard's text in UTF-8, unconverted, so the caller can name what
    // code page 932 cannot hold; nullopt when there is no text.
    virtual std::optional<std::string> GetClipboardUnicodeText() = 0;
    // A picture of width x height pixels, 0x00RRGGBB row by row from the top;
    // false when the clipboard could not take it.
    virtual bool SetClipboardImage(int width, int height,
                                   const std::vector<std::uint32_t>& pixels) = 0;
    // The default warning sound, for a failure that has no message of its own.
    virtual void MessageBeep() {}

    // The print dialog: on OK, printPages draws on the printer the user chose
    // and its answer is returned; false when cancelled.
    virtual bool PrintDialog(const PrintPagesFn& printPages) = 0;
    // The preview, which calls printPages as often as it needs the pages.
    virtual void PrintPreview(const PrintPagesFn& printPages) = 0;
};

CUserInterface& AfxGetUserInterface();
void AfxSetUserInterface(CUserInterface* pUi); // nullptr restores the scripted default

// Answers from a script and remembers what was shown; for tests and for the
// command-line tool (which prints message boxes to standard error).
class CScriptedUserInterface : public CUserInterface {
public:
    struct Shown {
        std::string text;
        UINT type;
    };

    // A dialog of a kind with an answer set is answered, not shown; others show.
    int DoModal(CModalDialog& dlg) override;
    int MessageBox(const std::string& text, UINT type) override;
    bool SetClipboardText(const std::string& text) override;
    std::optional<std::string> GetClipboardText() override;
    bool ShellOpen(const std::string& target) override;
    bool SetClipboardData(const std::string& mimeType, const std::string& bytes) override;
    std::optional<std::string> GetClipboardData(const std::string& mimeType) override;
    std::optional<std::string> GetClipboardUnicodeText() override;
    bool SetClipboardImage(int width, int height,
                           const std::vector<std::uint32_t>& pixels) override;
    void MessageBeep() override { ++m_nBeeps; }
    // Both print dialogs are answered by m_printAnswer; without one they are
    // cancelled, as there is no printer to give.
    bool PrintDialog(const PrintPagesFn& printPages) override;
    void PrintPreview(const PrintPagesFn& printPages) override;

    // Every dialog of class Dialog (exactly) is answered by answer(Dialog&),
    // which fills the dialog's members as the user would and returns IDOK or
    // IDCANCEL. A later answer for the same class replaces the earlier one.
    template <class Dialog, class Answer> void AnswerDialogs(Answer answer) {
        m_dialogAnswers[std::type_index(typeid(Dialog))] = [answer](CModalDialog& dlg) mutable {
            return answer(static_cast<Dialog&>(dlg));
        };
    }
    // The next message boxes answer these, in order; afterwards OK / Yes.
    void QueueAnswer(int answer) { m_answers.push_back(answer); }
    void SetEcho(bool echoToStderr) { m_bEcho = echoToStderr; }

    std::vector<Shown> m_shown;
    std::optional<std::string> m_clipboard;
    std::vector<std::string> m_opened;
    bool m_bShellResult = true;
    int m_nBeeps = 0;

    // The clipboard beyond plain text. Putting anything on it replaces all
    // that was there, as on the desktop; m_unicodeText is what a text paste
    // reads (tests set it directly).
    std::map<std::string, std::string> m_clipboardData;
    std::optional<std::string> m_unicodeText;
    struct Image {
        int width = 0, height = 0;
        std::vector<std::uint32_t> pixels;
    };
    std::optional<Image> m_clipboardImage;
    bool m_bClipboardResult = true; // what the setters answer

    // Gets the dialog's drawing, hands it a printer or not as the user would,
    // and returns what the dialog returns.
    std::function<bool(const PrintPagesFn&)> m_printAnswer;
    int m_nPrintDialogs = 0;
    int m_nPrintPreviews = 0;

private:
    std::deque<int> m_answers;
    std::map<std::type_index, std::function<int(CModalDialog&)>> m_dialogAnswers;
    bool m_bEcho = false;
};

#pragma once
// What the program asks of the user and of the desktop: message boxes, the
// clipboard and the shell. Commands reach them only through this interface so
// that every command runs in a test with scripted answers.
#include <deque>
#include <optional>
#include <string>
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

class CUserInterface {
public:
    virtual ~CUserInterface() = default;
    // text is UTF-8; the caption is always the program's title.
    virtual int MessageBox(const std::string& text, UINT type) = 0;
    // Plain text on the clipboard, in code page 932.
    virtual bool SetClipboardText(const std::string& text) = 0;
    virtual std::optional<std::string> GetClipboardText() = 0;
    // Opens a file or an address with the desktop's handler; false when that failed.
    virtual bool ShellOpen(const std::string& target) = 0;
    // The default warning sound, for a failure that has no message of its own.
    virtual void MessageBeep() {}
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

    int MessageBox(const std::string& text, UINT type) override;
    bool SetClipboardText(const std::string& text) override;
    std::optional<std::string> GetClipboardText() override;
    bool ShellOpen(const std::string& target) override;
    void MessageBeep() override { ++m_nBeeps; }

    // The next message boxes answer these, in order; afterwards OK / Yes.
    void QueueAnswer(int answer) { m_answers.push_back(answer); }
    void SetEcho(bool echoToStderr) { m_bEcho = echoToStderr; }

    std::vector<Shown> m_shown;
    std::optional<std::string> m_clipboard;
    std::vector<std::string> m_opened;
    bool m_bShellResult = true;
    int m_nBeeps = 0;

private:
    std::deque<int> m_answers;
    bool m_bEcho = false;
};

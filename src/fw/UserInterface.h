#pragma once
// What the program asks of the user and of the desktop: message boxes, the
// clipboard and the shell. Commands reach them only through this interface so
// that every command runs in a test with scripted answers.
#include <cstdint>
#include <deque>
#include <map>
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
    bool SetClipboardData(const std::string& mimeType, const std::string& bytes) override;
    std::optional<std::string> GetClipboardData(const std::string& mimeType) override;
    std::optional<std::string> GetClipboardUnicodeText() override;
    bool SetClipboardImage(int width, int height,
                           const std::vector<std::uint32_t>& pixels) override;

    // The next message boxes answer these, in order; afterwards OK / Yes.
    void QueueAnswer(int answer) { m_answers.push_back(answer); }
    void SetEcho(bool echoToStderr) { m_bEcho = echoToStderr; }

    std::vector<Shown> m_shown;
    std::optional<std::string> m_clipboard;
    std::vector<std::string> m_opened;
    bool m_bShellResult = true;

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

private:
    std::deque<int> m_answers;
    bool m_bEcho = false;
};

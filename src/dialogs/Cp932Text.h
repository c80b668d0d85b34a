#pragma once
// Moves sheet texts (code page 932 bytes) in and out of Qt controls. A text
// the user left as it was keeps its original bytes, because decoding and
// encoding again is not byte-exact for some duplicate codes; an edited text
// is encoded anew, and characters code page 932 cannot hold are collected so
// the dialog can refuse them instead of dropping them.
#include <QString>
#include <string>
#include <vector>

class QWidget;

class CCp932Text {
public:
    // For display. With multiLine, CR LF pairs become the edit box's line breaks.
    static QString Decode(const std::string& bytes, bool multiLine = false);

    // Encodes what a control holds. When text equals Decode(original), the
    // original bytes come back unchanged. Characters that cannot be stored
    // are appended to rejected (each once) and false is returned.
    static bool Encode(const QString& text, const std::string& original, bool multiLine,
                       std::string& out, std::vector<std::string>& rejected);

    // Says which characters cannot be stored (a notice with OK only).
    static void ShowRejected(const std::vector<std::string>& rejected);
};

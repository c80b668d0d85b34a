#include "dialogs/Cp932Text.h"

#include <algorithm>

#include "fw/Cp932.h"
#include "fw/UserInterface.h"

QString CCp932Text::Decode(const std::string& bytes, bool multiLine) {
    QString text = QString::fromStdString(cp932::ToUtf8(bytes));
    if (multiLine)
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

bool CCp932Text::Encode(const QString& text, const std::string& original, bool multiLine,
                        std::string& out, std::vector<std::string>& rejected) {
    if (text == Decode(original, multiLine)) {
        out = original;
        return true;
    }
    QString typed = text;
    if (multiLine) {
        // The edit box hands back bare line feeds; the sheet keeps CR LF pairs.
        typed.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        typed.replace(QChar(0x2029), QChar('\n'));
        typed.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    }
    cp932::EncodeResult result = cp932::FromUtf8(typed.toStdString());
    for (const std::string& ch : result.rejected) {
        if (std::find(rejected.begin(), rejected.end(), ch) == rejected.end())
            rejected.push_back(ch);
    }
    if (!result.ok())
        return false;
    out = std::move(result.text);
    return true;
}

void CCp932Text::ShowRejected(const std::vector<std::string>& rejected) {
    AfxGetUserInterface().MessageBox(cp932::RejectedMessage(rejected), MB_OK | MB_ICONEXCLAMATION);
}

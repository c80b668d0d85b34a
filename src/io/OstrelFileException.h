#pragma once
// The one error of the text file layer. It carries the finished message
// (UTF-8): the fixed text, an ASCII ":" and the path, ready to be shown.
#include <string>

class COstrelFileException {
public:
    enum Kind { Open, Close, Write };

    COstrelFileException() = default;
    explicit COstrelFileException(std::string message) : m_strMessage(std::move(message)) {}
    // The message for a failure of the given kind on path (UTF-8).
    static COstrelFileException Make(Kind kind, const std::string& path);

    std::string m_strMessage;
};

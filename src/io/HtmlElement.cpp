#include "io/HtmlElement.h"

void TrimChar(std::string& s, char ch) {
    // ch is below 0x40 wherever this is used, so it never sits inside a
    // double-byte character and a byte scan is exact.
    const std::size_t first = s.find_first_not_of(ch);
    if (first == std::string::npos) {
        s.clear();
        return;
    }
    s.erase(s.find_last_not_of(ch) + 1);
    s.erase(0, first);
}

CHtmlElement::CHtmlElement(const std::string& name, const std::string& value)
    : m_strName(name), m_strValue(value) {
    TrimChar(m_strValue, '"');
}

void CHtmlElement::SetValue(const std::string& text) {
    m_strValue = text;
    TrimChar(m_strValue, '\'');
    TrimChar(m_strValue, '"');
}

std::string CHtmlElement::GetText() const {
    if (m_strValue.empty())
        return m_strName;
    return m_strName + "=\"" + m_strValue + "\"";
}

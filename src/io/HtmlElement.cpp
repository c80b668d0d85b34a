#include "io/HtmlElement.h"

#include "fw/Cp932String.h"

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

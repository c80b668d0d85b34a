#pragma once
// One attribute of an HTML start tag: a name and a value kept without its
// surrounding quotes. An empty value is written as the name alone.
#include <string>

#include "fw/Types.h"

class CHtmlElement {
public:
    CHtmlElement() = default;
    // Double quotes at both ends of value are dropped; single quotes stay.
    CHtmlElement(const std::string& name, const std::string& value);

    // Assigns text, then drops single and then double quotes at its ends.
    void SetValue(const std::string& text);
    BOOL IsEmpty() const { return m_strName.empty() && m_strValue.empty(); }
    // name, or name="value".
    std::string GetText() const;

    std::string m_strName;
    std::string m_strValue;
};

#include "io/HtmlTag.h"

#include <cstring>

#include "fw/Cp932String.h"

namespace {
const char kCrLf[] = "\r\n";

bool IsWhite(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string TrimWhite(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsWhite(s[b]))
        ++b;
    while (e > b && IsWhite(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

bool EndsWithCrLf(const std::string& s) {
    return s.size() >= 2 && s.compare(s.size() - 2, 2, kCrLf) == 0;
}
} // namespace

CHtmlTag::CHtmlTag(LPCTSTR startTag) {
    Parse(startTag);
}

CHtmlTag::CHtmlTag(LPCTSTR tag, LPCTSTR content)
    : m_strTag(tag ? tag : ""), m_strContent(content ? content : "") {}

void CHtmlTag::Parse(LPCTSTR text) {
    m_strTag.clear();
    m_bEmptyTag = FALSE;
    m_Attributes.clear();
    if (!text)
        return;
    const std::string s(text);
    const std::size_t lt = s.find('<');
    if (lt == std::string::npos)
        return;
    const std::size_t gt = s.find('>', lt);
    if (gt == std::string::npos)
        return;
    std::string inner = s.substr(lt + 1, gt - lt - 1);
    if (inner.empty())
        return;
    if (inner.size() >= 2 && inner.compare(inner.size() - 2, 2, " /") == 0) {
        m_bEmptyTag = TRUE;
        inner.erase(inner.size() - 2);
    }
    // <%name%>: a name alone, no attributes.
    if (inner.size() > 2 && inner.front() == '%' && inner.back() == '%') {
        m_strTag = TrimWhite(inner.substr(1, inner.size() - 2));
        return;
    }
    const std::size_t sp = inner.find(' ');
    if (sp == std::string::npos) {
        m_strTag = inner;
        return;
    }
    m_strTag = inner.substr(0, sp);
    std::size_t rest = sp + 1;
    while (rest < inner.size() && IsWhite(inner[rest]))
        ++rest;
    ParseAttributes(inner.substr(rest));
}

void CHtmlTag::ParseAttributes(const std::string& text) {
    // Every byte tested here is below 0x40 and so never the second byte of
    // a double-byte character: a byte walk is exact.
    enum State { Name, AfterName, Value, Between };
    CHtmlElement pending;
    State state = Name;
    std::size_t s = 0;
    bool bDouble = false, bSingle = false, bEquals = false;
    const std::size_t len = text.size();
    auto emit = [&] {
        m_Attributes.push_back(pending);
        pending = CHtmlElement();
    };
    for (std::size_t i = 0; i < len; ++i) {
        const char c = text[i];
        const bool last = i + 1 == len;
        switch (state) {
        case Name:
            if (c == ' ' || c == '=' || c == '>' || (c == '/' && i >= 2)) {
                pending.m_strName = text.substr(s, i - s);
                state = AfterName;
                if (c == '=')
                    bEquals = true;
                if (c == '>' || c == '/')
                    emit();
            } else if (last) {
                pending.m_strName = text.substr(s, i - s + 1);
                emit();
            }
            break;
        case AfterName:
            if (c == ' ' || c == '=') {
                if (c == '=')
                    bEquals = true;
            } else {
                s = i;
                if (bEquals) {
                    state = Value;
                    if (c == '"')
                        bDouble = true;
                    else if (c == '\'')
                        bSingle = true;
                    if (last) {
                        pending.SetValue(std::string(1, c));
                        emit();
                    }
                } else {
                    // A name without a value; this byte starts the next name.
                    emit();
                    state = Name;
                }
            }
            break;
        case Value: {
            const bool bQuote = (bDouble && c == '"') || (bSingle && c == '\'');
            if (bQuote || (!bDouble && !bSingle && c == ' ') || c == '>') {
                pending.SetValue(text.substr(s, bQuote ? i - s + 1 : i - s));
                if (!pending.IsEmpty())
                    emit();
                state = Between;
                bDouble = bSingle = bEquals = false;
            } else if (last) {
                pending.SetValue(text.substr(s, i - s + 1));
                emit();
            }
            break;
        }
        case Between:
            if (c != ' ' && c != '\t') {
                s = i;
                state = Name;
            }
            break;
        }
        if (c == '>')
            break;
    }
    if (!pending.IsEmpty())
        emit();
}

int CHtmlTag::FindAttribute(LPCTSTR name) const {
    const std::string n(name ? name : "");
    for (std::size_t i = 0; i < m_Attributes.size(); ++i)
        if (CompareNoCase(m_Attributes[i].m_strName, n) == 0)
            return static_cast<int>(i);
    return -1;
}

void CHtmlTag::SetAttribute(LPCTSTR name, LPCTSTR value) {
    const std::string v(value ? value : "");
    const bool bRemove = v.empty() || v == "\"\"";
    const int index = FindAttribute(name);
    if (index >= 0) {
        if (bRemove)
            m_Attributes.erase(m_Attributes.begin() + index);
        else
            m_Attributes[static_cast<std::size_t>(index)].SetValue(v);
    } else if (!bRemove) {
        m_Attributes.emplace_back(name ? name : "", v);
    }
}

std::string CHtmlTag::GetStartTag() const {
    std::string s = "<" + m_strTag;
    for (const CHtmlElement& a : m_Attributes) {
        s += ' ';
        s += a.GetText();
    }
    s += m_bEmptyTag ? " />" : ">";
    return s;
}

std::string CHtmlTag::GetEndTag() const {
    return "</" + m_strTag + ">";
}

std::string CHtmlTag::GetHtml(BOOL bBreaks) const {
    std::string s;
    s.reserve(m_strContent.size() + 2 * m_strTag.size() + 64);
    AppendHtml(s, bBreaks);
    return s;
}

void CHtmlTag::AppendHtml(std::string& out, BOOL bBreaks) const {
    out += GetStartTag();
    if (bBreaks)
        out += kCrLf;
    out += m_strContent;
    if (bBreaks && (m_strContent.size() < 2 || !EndsWithCrLf(m_strContent)))
        out += kCrLf;
    out += "</";
    out += m_strTag;
    out += '>';
}

void CHtmlTag::AddChild(const CHtmlTag& child, BOOL bInnerBreaks, BOOL bBreakAfter) {
    child.AppendHtml(m_strContent, bInnerBreaks);
    if (bBreakAfter)
        m_strContent += kCrLf;
}

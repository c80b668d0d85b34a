#pragma once
// One HTML element of the export's builder: a tag name, its attributes, and
// the inner HTML as text. A child is not kept as an object: adding it appends
// its finished text, so a page is built bottom-up. The builder escapes
// nothing and indents nothing; line breaks are only those asked for.
#include <string>
#include <vector>

#include "fw/Types.h"
#include "io/HtmlElement.h"

class CHtmlTag {
public:
    // Parses a literal start tag such as <table class="Tavrel" border="1">.
    explicit CHtmlTag(LPCTSTR startTag);
    // A tag name and its content; either may be null (empty).
    CHtmlTag(LPCTSTR tag, LPCTSTR content);
    CHtmlTag(const std::string& tag, const std::string& content)
        : m_strTag(tag), m_strContent(content) {}
    CHtmlTag(const CHtmlTag&) = delete;
    CHtmlTag& operator=(const CHtmlTag&) = delete;

    void Parse(LPCTSTR text);
    // Index of the first attribute of that name (case-blind), or -1.
    int FindAttribute(LPCTSTR name) const;
    // Sets, adds or (for an empty value or exactly two double quotes) removes.
    void SetAttribute(LPCTSTR name, LPCTSTR value);

    std::string GetStartTag() const;
    std::string GetEndTag() const;
    std::string GetHtml(BOOL bBreaks) const;
    // Appends what GetHtml gives to out, without a temporary copy.
    void AppendHtml(std::string& out, BOOL bBreaks) const;
    void AddChild(const CHtmlTag& child, BOOL bInnerBreaks, BOOL bBreakAfter);

    std::string m_strTag;
    std::vector<CHtmlElement> m_Attributes;
    std::string m_strContent;
    BOOL m_bEmptyTag = FALSE;

private:
    void ParseAttributes(const std::string& text);
};

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "io/HtmlTag.h"

namespace {

using Attrs = std::vector<std::pair<std::string, std::string>>;

Attrs AttrsOf(const CHtmlTag& tag) {
    Attrs out;
    for (const CHtmlElement& a : tag.m_Attributes)
        out.emplace_back(a.m_strName, a.m_strValue);
    return out;
}

// ---- Parsing literal start tags ---------------------------------------------

struct ParseCase {
    const char* name;
    const char* text;
    std::string tag;
    Attrs attrs;
    bool empty;
};

class ParseTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, GivesTagAndAttributes) {
    const ParseCase& c = GetParam();
    CHtmlTag tag(c.text);
    EXPECT_EQ(tag.m_strTag, c.tag);
    EXPECT_EQ(AttrsOf(tag), c.attrs);
    EXPECT_EQ(tag.m_bEmptyTag, c.empty ? TRUE : FALSE);
}

INSTANTIATE_TEST_SUITE_P(
    HtmlTag, ParseTest,
    testing::Values(
        ParseCase{"TableWithTwoQuoted",
                  "<table class=\"Tavrel\" border=\"1\">",
                  "table",
                  {{"class", "Tavrel"}, {"border", "1"}},
                  false},
        ParseCase{"Link",
                  "<link rel=\"stylesheet\" type=\"text/css\">",
                  "link",
                  {{"rel", "stylesheet"}, {"type", "text/css"}},
                  false},
        ParseCase{"PlainTd", "<td>", "td", {}, false},
        ParseCase{"SelfClosing", "<br />", "br", {}, true},
        ParseCase{
            "SelfClosingWithAttribute", "<img src=\"a.png\" />", "img", {{"src", "a.png"}}, true},
        ParseCase{"UnquotedValuesEndAtSpace", "<p a=x b=y>", "p", {{"a", "x"}, {"b", "y"}}, false},
        ParseCase{
            "SpacesAroundEquals", "<p a = 'x' b= \"y\">", "p", {{"a", "x"}, {"b", "y"}}, false},
        ParseCase{"NameThenName",
                  "<input checked value=\"v\">",
                  "input",
                  {{"checked", ""}, {"value", "v"}},
                  false},
        ParseCase{"NameWithEqualsAtEnd", "<p a=>", "p", {{"a", ""}}, false},
        ParseCase{"SingleQuotedKeepsDouble", "<p a='say \"hi\"'>", "p", {{"a", "say \"hi"}}, false},
        ParseCase{"QuotedValueWithSpace", "<p title=\"a b\">", "p", {{"title", "a b"}}, false},
        ParseCase{"TextAroundTag", "before <em x=\"1\"> after", "em", {{"x", "1"}}, false},
        ParseCase{"ExtraSpacesBeforeAttributes",
                  "<tr    class=\"CheckRow1\">",
                  "tr",
                  {{"class", "CheckRow1"}},
                  false},
        ParseCase{
            "DuplicateNamesKept", "<p a=\"1\" A=\"2\">", "p", {{"a", "1"}, {"A", "2"}}, false},
        ParseCase{"PercentName", "<% include  %>", "include", {}, false},
        ParseCase{"NoOpeningBracket", "td class=\"x\">", "", {}, false},
        ParseCase{"NoClosingBracket", "<td class=\"x\"", "", {}, false},
        ParseCase{"ClosingBeforeOpening", "> <", "", {}, false},
        ParseCase{"NothingBetween", "<>", "", {}, false},
        ParseCase{"CaseKept", "<TABLE Border=\"1\">", "TABLE", {{"Border", "1"}}, false}),
    [](const testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

TEST(HtmlTag, ParseReplacesEverythingButTheContent) {
    CHtmlTag tag("<p a=\"1\" />");
    tag.m_strContent = "kept";
    tag.Parse("<q>");
    EXPECT_EQ(tag.m_strTag, "q");
    EXPECT_TRUE(tag.m_Attributes.empty());
    EXPECT_EQ(tag.m_bEmptyTag, FALSE);
    EXPECT_EQ(tag.m_strContent, "kept");
}

// ---- SetAttribute: set, add, remove -----------------------------------------

struct SetCase {
    const char* name;
    const char* start;
    const char* attr;
    const char* value;
    std::string startTag; // GetStartTag() afterwards
};

class SetAttributeTest : public testing::TestWithParam<SetCase> {};

TEST_P(SetAttributeTest, GivesStartTag) {
    const SetCase& c = GetParam();
    CHtmlTag tag(c.start);
    tag.SetAttribute(c.attr, c.value);
    EXPECT_EQ(tag.GetStartTag(), c.startTag);
}

INSTANTIATE_TEST_SUITE_P(
    HtmlTag, SetAttributeTest,
    testing::Values(
        SetCase{"AddsNew", "<td>", "class", "CheckValue", "<td class=\"CheckValue\">"},
        SetCase{"AddsAfterParsed", "<link rel=\"stylesheet\" type=\"text/css\">", "href", "s.css",
                "<link rel=\"stylesheet\" type=\"text/css\" href=\"s.css\">"},
        SetCase{"NewDropsDoubleQuotes", "<a>", "href", "\"x.css\"", "<a href=\"x.css\">"},
        SetCase{"NewKeepsSingleQuotes", "<a>", "href", "'x.css'", "<a href=\"'x.css'\">"},
        SetCase{"ExistingDropsSingleQuotes", "<a href=\"old\">", "href", "'x.css'",
                "<a href=\"x.css\">"},
        SetCase{"ExistingFoundWithoutCase", "<p CLASS=\"a\">", "class", "b", "<p CLASS=\"b\">"},
        SetCase{"ExistingMixedCase", "<p Class=\"a\" id=\"i\">", "cLaSs", "b",
                "<p Class=\"b\" id=\"i\">"},
        SetCase{"EmptyRemovesExisting", "<p a=\"1\" b=\"2\" c=\"3\">", "b", "",
                "<p a=\"1\" c=\"3\">"},
        SetCase{"TwoQuotesRemoveExisting", "<p a=\"1\" b=\"2\">", "a", "\"\"", "<p b=\"2\">"},
        SetCase{"EmptyAddsNothing", "<p>", "a", "", "<p>"},
        SetCase{"TwoQuotesAddNothing", "<p>", "a", "\"\"", "<p>"},
        SetCase{"OnlyQuotesGiveBareName", "<p>", "a", "\"\"\"", "<p a>"},
        SetCase{"OnlyFirstOfDuplicatesChanged", "<p a=\"1\" a=\"2\">", "a", "9",
                "<p a=\"9\" a=\"2\">"},
        SetCase{"NoEscaping", "<p>", "title", "a&b<c>", "<p title=\"a&b<c>\">"},
        SetCase{"InnerQuoteUnbalanced", "<p>", "title", "say\"hi", "<p title=\"say\"hi\">"},
        SetCase{"EmptyTagStartTag", "<br />", "id", "x", "<br id=\"x\" />"},
        SetCase{"NoTagName", "no tag", "id", "x", "< id=\"x\">"}),
    [](const testing::TestParamInfo<SetCase>& info) { return std::string(info.param.name); });

// ---- GetHtml and AddChild: where the line breaks go -------------------------

struct HtmlCase {
    const char* name;
    const char* tag;
    const char* content;
    bool breaks;
    std::string html;
};

class GetHtmlTest : public testing::TestWithParam<HtmlCase> {};

TEST_P(GetHtmlTest, GivesText) {
    const HtmlCase& c = GetParam();
    CHtmlTag tag(c.tag, c.content);
    EXPECT_EQ(tag.GetHtml(c.breaks ? TRUE : FALSE), c.html);
}

INSTANTIATE_TEST_SUITE_P(
    HtmlTag, GetHtmlTest,
    testing::Values(HtmlCase{"NoBreaks", "td", "x", false, "<td>x</td>"},
                    HtmlCase{"NoBreaksContentWithCrLf", "td", "x\r\n", false, "<td>x\r\n</td>"},
                    HtmlCase{"BreaksEmptyContent", "head", "", true, "<head>\r\n\r\n</head>"},
                    HtmlCase{"BreaksOneByteContent", "p", "x", true, "<p>\r\nx\r\n</p>"},
                    HtmlCase{"BreaksContentEndingCrLf", "p", "x\r\n", true, "<p>\r\nx\r\n</p>"},
                    HtmlCase{"BreaksContentIsCrLf", "p", "\r\n", true, "<p>\r\n\r\n</p>"},
                    HtmlCase{"BreaksContentEndingLf", "p", "x\n", true, "<p>\r\nx\n\r\n</p>"},
                    HtmlCase{"NullTagAndContent", nullptr, nullptr, false, "<></>"},
                    HtmlCase{"RawText", "td", "a&b<\"'>", false, "<td>a&b<\"'></td>"}),
    [](const testing::TestParamInfo<HtmlCase>& info) { return std::string(info.param.name); });

TEST(HtmlTag, AddChildAppendsTextWithAskedBreaks) {
    CHtmlTag tr("<tr class=\"r\">");
    CHtmlTag a("td", "1");
    tr.AddChild(a, FALSE, FALSE);
    {
        CHtmlTag b("td", "2");
        tr.AddChild(b, TRUE, TRUE);
    } // the child may go away: its text stays
    EXPECT_EQ(tr.m_strContent, "<td>1</td><td>\r\n2\r\n</td>\r\n");
    EXPECT_EQ(tr.GetHtml(FALSE), "<tr class=\"r\"><td>1</td><td>\r\n2\r\n</td>\r\n</tr>");
}

// ---- CHtmlElement quote handling ---------------------------------------------

struct ElementCase {
    const char* name;
    std::string value;
    std::string constructed; // CHtmlElement(name, value)
    std::string set;         // after SetValue(value)
};

class ElementTest : public testing::TestWithParam<ElementCase> {};

TEST_P(ElementTest, StripsQuotes) {
    const ElementCase& c = GetParam();
    EXPECT_EQ(CHtmlElement("n", c.value).m_strValue, c.constructed);
    CHtmlElement e;
    e.m_strName = "n";
    e.SetValue(c.value);
    EXPECT_EQ(e.m_strValue, c.set);
}

INSTANTIATE_TEST_SUITE_P(
    HtmlElement, ElementTest,
    testing::Values(ElementCase{"Plain", "a", "a", "a"},
                    ElementCase{"DoubleQuoted", "\"a\"", "a", "a"},
                    ElementCase{"SingleQuoted", "'a'", "'a'", "a"},
                    ElementCase{"ManyDoubleQuotes", "\"\"a\"\"\"", "a", "a"},
                    ElementCase{"SingleInsideDouble", "\"'a'\"", "'a'", "'a'"},
                    ElementCase{"DoubleInsideSingle", "'\"a\"'", "'\"a\"'", "a"},
                    ElementCase{"InnerQuotesStay", "a\"b'c", "a\"b'c", "a\"b'c"},
                    ElementCase{"OnlyQuotes", "'\"'", "'\"'", ""},
                    ElementCase{"DoubleAroundSingle", "\"'\"", "'", "'"}),
    [](const testing::TestParamInfo<ElementCase>& info) { return std::string(info.param.name); });

TEST(HtmlElement, TextIsNameAloneOrNameEqualsQuotedValue) {
    CHtmlElement bare("checked", "");
    EXPECT_EQ(bare.GetText(), "checked");
    EXPECT_FALSE(bare.IsEmpty());
    CHtmlElement full("a", "b c");
    EXPECT_EQ(full.GetText(), "a=\"b c\"");
    EXPECT_TRUE(CHtmlElement().IsEmpty());
}

TEST(HtmlTag, FindAttributeUsesCompareNoCase) {
    CHtmlTag tag("<p id=\"1\" CLASS=\"x\" class=\"y\">");
    EXPECT_EQ(tag.FindAttribute("Class"), 1);
    EXPECT_EQ(tag.FindAttribute("ID"), 0);
    EXPECT_EQ(tag.FindAttribute("style"), -1);
}

} // namespace

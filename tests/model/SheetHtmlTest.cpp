#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "io/IoTestUtil.h"
#include "SheetTestUtil.h"
#include "io/TextFile.h"
#include "model/SheetFile.h"
#include "ScriptedAnswers.h"

using namespace iotest;

namespace {

std::string Lines(const std::vector<std::string>& lines) {
    std::string s;
    for (std::size_t i = 0; i < lines.size(); ++i)
        s += (i ? "\r\n" : "") + lines[i];
    return s;
}

const std::string kTable = "<table class=\"Tavrel\" border=\"1\">";
const std::string kHeaderStart =
    "<tr class=\"CheckRow1\"><td class=\"CheckTop\">" + kCorner + "</td>";
const std::string kRowStart = "<tr class=\"TavrelRowBody\"><td class=\"CheckItem2\">";

// ---- The page, line by line --------------------------------------------------

struct PageCase {
    const char* name;
    std::vector<std::string> columns;
    std::vector<RowSpec> rows;
    int mark;
    std::string title;
    std::string css;
    std::vector<std::string> lines; // the page; the table part is also the clipboard text
};

class HtmlPageTest : public testing::TestWithParam<PageCase> {};

TEST_P(HtmlPageTest, WritesExactPage) {
    const PageCase& c = GetParam();
    CScriptedAnswers ui;
    CSheetFile sheet;
    BuildSheet(sheet, c.columns, c.rows);
    sheet.m_nHtmlMark = c.mark;
    sheet.m_strTitle = c.title;
    sheet.m_strHtmlCss = c.css;
    CTempDir dir;
    sheet.m_strHtmlFile = dir.File("page.html");
    EXPECT_EQ(sheet.ExportHtml(TRUE), TRUE);
    EXPECT_EQ(ReadBytes(sheet.m_strHtmlFile), Lines(c.lines));
    EXPECT_TRUE(ui.m_shown.empty());
    EXPECT_FALSE(ui.m_clipboard.has_value()) << "writing the file leaves the clipboard alone";
}

TEST_P(HtmlPageTest, ClipboardHoldsTheTableAlone) {
    const PageCase& c = GetParam();
    CScriptedAnswers ui;
    CSheetFile sheet;
    BuildSheet(sheet, c.columns, c.rows);
    sheet.m_nHtmlMark = c.mark;
    sheet.m_strTitle = c.title;
    sheet.m_strHtmlCss = c.css;
    sheet.m_strHtmlFile = "/nonexistent/never-written.html";
    EXPECT_EQ(sheet.ExportHtml(FALSE), TRUE);
    std::vector<std::string> table;
    bool in = false;
    for (const auto& l : c.lines) {
        in = in || l == kTable;
        if (in)
            table.push_back(l);
        if (l == "</table>")
            break;
    }
    ASSERT_TRUE(ui.m_clipboard.has_value());
    EXPECT_EQ(*ui.m_clipboard, Lines(table));
    EXPECT_EQ(sheet.MakeHtmlTable(), Lines(table));
    EXPECT_TRUE(ui.m_shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    SheetHtml, HtmlPageTest,
    testing::Values(
        PageCase{"WorkedExample",
                 {"A"},
                 {{"r1", "1"}},
                 0,
                 "",
                 "s.css",
                 {"<html>", "<head>", "<link rel=\"stylesheet\" type=\"text/css\" href=\"s.css\">",
                  "</head>", "<body>", kTable,
                  kHeaderStart + "<Td class=\"CheckItem1\">A</Td></tr>",
                  kRowStart + "r1</td><td class=\"CheckValue\">" + kMaru + "</td></tr>", "</table>",
                  "</body>", "</html>"}},
        PageCase{
            "NeitherTitleNorStylesheet",
            {"A", "B"},
            {{"r1", "10"}, {"r2", "01"}},
            1,
            "",
            "",
            {"<html>", "<head>", "", "</head>", "<body>", kTable,
             kHeaderStart + "<Td class=\"CheckItem1\">A</Td><Td class=\"CheckItem1\">B</Td></tr>",
             kRowStart +
                 "r1</td><td class=\"CheckValue\">1</td><td class=\"CheckValue\">0</td></tr>",
             kRowStart +
                 "r2</td><td class=\"CheckValue\">0</td><td class=\"CheckValue\">1</td></tr>",
             "</table>", "</body>", "</html>"}},
        PageCase{"TitleAndStylesheet",
                 {"A"},
                 {{"r1", "0"}},
                 0,
                 "T",
                 "s.css",
                 {"<html>", "<head>", "<title>T</title>",
                  "<link rel=\"stylesheet\" type=\"text/css\" href=\"s.css\">", "</head>", "<body>",
                  "<h1>T</h1>", kTable, kHeaderStart + "<Td class=\"CheckItem1\">A</Td></tr>",
                  kRowStart + "r1</td><td class=\"CheckValue\">" + kBatsu + "</td></tr>",
                  "</table>", "</body>", "</html>"}},
        PageCase{"TitleOnly",
                 {},
                 {},
                 0,
                 "\x83\x5c\x95\x5c",
                 "",
                 {"<html>", "<head>", "<title>\x83\x5c\x95\x5c</title>", "</head>", "<body>",
                  "<h1>\x83\x5c\x95\x5c</h1>", kTable, kHeaderStart + "</tr>", "</table>",
                  "</body>", "</html>"}},
        PageCase{"NoRowsHeaderOnly",
                 {"A"},
                 {},
                 0,
                 "",
                 "",
                 {"<html>", "<head>", "", "</head>", "<body>", kTable,
                  kHeaderStart + "<Td class=\"CheckItem1\">A</Td></tr>", "</table>", "</body>",
                  "</html>"}},
        PageCase{"NoColumnsNameCellsOnly",
                 {},
                 {{"a", ""}, {"b", ""}},
                 0,
                 "",
                 "",
                 {"<html>", "<head>", "", "</head>", "<body>", kTable, kHeaderStart + "</tr>",
                  kRowStart + "a</td></tr>", kRowStart + "b</td></tr>", "</table>", "</body>",
                  "</html>"}},
        PageCase{
            "PlainCellHasNoClass",
            {"A", "B"},
            {{"r", "p1"}},
            0,
            "",
            "",
            {"<html>", "<head>", "", "</head>", "<body>", kTable,
             kHeaderStart + "<Td class=\"CheckItem1\">A</Td><Td class=\"CheckItem1\">B</Td></tr>",
             kRowStart + "r</td><td></td><td class=\"CheckValue\">" + kMaru + "</td></tr>",
             "</table>", "</body>", "</html>"}},
        PageCase{"OtherMarkValueEmptyMarks",
                 {"A"},
                 {{"r", "1"}},
                 5,
                 "",
                 "",
                 {"<html>", "<head>", "", "</head>", "<body>", kTable,
                  kHeaderStart + "<Td class=\"CheckItem1\">A</Td></tr>",
                  kRowStart + "r</td><td class=\"CheckValue\"></td></tr>", "</table>", "</body>",
                  "</html>"}}),
    [](const testing::TestParamInfo<PageCase>& info) { return std::string(info.param.name); });

// ---- The stylesheet link: quote handling first, then escaping ---------------

struct CssCase {
    const char* name;
    std::string css;
    std::string link; // line 3 of a page without title
};

class HtmlCssTest : public testing::TestWithParam<CssCase> {};

TEST_P(HtmlCssTest, GivesLinkLine) {
    CSheetFile sheet;
    sheet.m_strHtmlCss = GetParam().css;
    const std::string page = sheet.MakeHtmlPage();
    EXPECT_EQ(page.substr(0, page.find("\r\n</head>")), "<html>\r\n<head>\r\n" + GetParam().link);
}

INSTANTIATE_TEST_SUITE_P(
    SheetHtml, HtmlCssTest,
    testing::Values(
        CssCase{"Plain", "style.css",
                "<link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\">"},
        CssCase{"DoubleQuotesDropped", "\"s.css\"",
                "<link rel=\"stylesheet\" type=\"text/css\" href=\"s.css\">"},
        CssCase{"SingleQuotesStayEscaped", "'s.css'",
                "<link rel=\"stylesheet\" type=\"text/css\" href=\"&#39;s.css&#39;\">"},
        CssCase{"TwoDoubleQuotesNoHref", "\"\"", "<link rel=\"stylesheet\" type=\"text/css\">"},
        CssCase{"ThreeDoubleQuotesBareHref", "\"\"\"",
                "<link rel=\"stylesheet\" type=\"text/css\" href>"},
        CssCase{"BreakOutAttemptEscaped", "x.css\"><script>alert(1)</script>",
                "<link rel=\"stylesheet\" type=\"text/css\" "
                "href=\"x.css&quot;&gt;&lt;script&gt;alert(1)&lt;/script&gt;\">"},
        CssCase{"AmpersandInQuery", "s.css?a=1&b=2",
                "<link rel=\"stylesheet\" type=\"text/css\" href=\"s.css?a=1&amp;b=2\">"}),
    [](const testing::TestParamInfo<CssCase>& info) { return std::string(info.param.name); });

// ---- Escaping of names and title ------------------------------------------------

struct EscapeCase {
    const char* name;
    std::string text;
    std::string escaped;
};

class HtmlEscapeTest : public testing::TestWithParam<EscapeCase> {};

TEST_P(HtmlEscapeTest, NamesAndTitleEscaped) {
    const EscapeCase& c = GetParam();
    CSheetFile sheet;
    BuildSheet(sheet, {c.text}, {{c.text, "1"}});
    sheet.m_strTitle = c.text;
    const std::string page = sheet.MakeHtmlPage();
    EXPECT_EQ(page, Lines({"<html>", "<head>", "<title>" + c.escaped + "</title>", "</head>",
                           "<body>", "<h1>" + c.escaped + "</h1>", kTable,
                           kHeaderStart + "<Td class=\"CheckItem1\">" + c.escaped + "</Td></tr>",
                           kRowStart + c.escaped + "</td><td class=\"CheckValue\">" + kMaru +
                               "</td></tr>",
                           "</table>", "</body>", "</html>"}));
}

INSTANTIATE_TEST_SUITE_P(
    SheetHtml, HtmlEscapeTest,
    testing::Values(EscapeCase{"Script", "<script>alert('x')</script>",
                               "&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;"},
                    EscapeCase{"Ampersand", "R&D", "R&amp;D"},
                    EscapeCase{"DoubleQuotes", "\"q\"", "&quot;q&quot;"},
                    EscapeCase{"AlreadyAnEntity", "&amp;", "&amp;amp;"},
                    EscapeCase{"DoubleByteTrailBytesUntouched", "\x83\x5c\x95\x5c\x83\x7c",
                               "\x83\x5c\x95\x5c\x83\x7c"},
                    EscapeCase{"PlainNameUnchanged", "Name 1", "Name 1"}),
    [](const testing::TestParamInfo<EscapeCase>& info) { return std::string(info.param.name); });

TEST(SheetHtml, HtmlMarkTextFollowsItsOwnSetting) {
    CSheetFile sheet;
    sheet.m_nCsvMark = 1; // the CSV setting does not count here
    const std::vector<std::pair<int, std::pair<std::string, std::string>>> table = {
        {0, {kMaru, kBatsu}}, {1, {"1", "0"}}, {2, {"", ""}}};
    for (const auto& [mark, texts] : table) {
        sheet.m_nHtmlMark = mark;
        EXPECT_EQ(sheet.HtmlMarkText(TRUE), texts.first) << mark;
        EXPECT_EQ(sheet.HtmlMarkText(FALSE), texts.second) << mark;
    }
}

// ---- Output file failures: reported, and no claim of success ----------------

TEST(SheetHtmlFailure, UnopenableFileIsReported) {
    CScriptedAnswers ui;
    CSheetFile sheet;
    CTempDir dir;
    const std::string path = dir.File("missing/p.html");
    sheet.m_strHtmlFile = path;
    EXPECT_EQ(sheet.ExportHtml(TRUE), FALSE);
    ASSERT_EQ(ui.m_shown.size(), 1u);
    EXPECT_EQ(ui.m_shown[0].text, "ファイルのオープンに失敗しました:" + path);
}

TEST(SheetHtmlFailure, EmptyFileNameIsReported) {
    CScriptedAnswers ui;
    CSheetFile sheet;
    EXPECT_EQ(sheet.ExportHtml(TRUE), FALSE);
    ASSERT_EQ(ui.m_shown.size(), 1u);
    EXPECT_EQ(ui.m_shown[0].text, "ファイルのオープンに失敗しました:");
}

TEST(SheetHtmlFailure, FileNameInCodePage932IsOpenedByItsUtf8Name) {
    CScriptedAnswers ui;
    CSheetFile sheet;
    CTempDir dir;
    sheet.m_strHtmlFile = dir.File("") + "\x95\x5c.html"; // 表.html
    EXPECT_EQ(sheet.ExportHtml(TRUE), TRUE);
    EXPECT_EQ(ReadBytes(dir.File("表.html")), sheet.MakeHtmlPage());
}

TEST(SheetHtmlFailure, DeviceFullAtEveryFewBytesReportsWriteError) {
    CSheetFile sheet;
    BuildSheet(sheet, {"A", "B"}, {{"r1", "10"}});
    sheet.m_strHtmlCss = "s.css";
    const std::string page = sheet.MakeHtmlPage();
    for (std::size_t capacity = 0; capacity < page.size(); capacity += 7) {
        CScriptedAnswers ui;
        FailingDevice dev{capacity, {}};
        {
            CTextFile file;
            file.Attach(dev.Open(), "/mnt/usb/p.html", false);
            EXPECT_EQ(sheet.ExportHtmlFile(file), FALSE) << capacity;
        }
        ASSERT_EQ(ui.m_shown.size(), 1u) << capacity;
        EXPECT_EQ(ui.m_shown[0].text, "ファイルの書込に失敗しました:/mnt/usb/p.html");
        EXPECT_EQ(dev.written, page.substr(0, capacity));
    }
}

TEST(SheetHtmlFailure, FailedCloseIsReported) {
    CScriptedAnswers ui;
    CSheetFile sheet;
    FailingDevice dev{0, {}};
    dev.failCloseOnly = true;
    CTextFile file;
    file.Attach(dev.Open(), "p.html", false);
    EXPECT_EQ(sheet.ExportHtmlFile(file), FALSE);
    ASSERT_EQ(ui.m_shown.size(), 1u);
    EXPECT_EQ(ui.m_shown[0].text, "ファイルのクローズに失敗しました:p.html");
    EXPECT_EQ(dev.written, sheet.MakeHtmlPage()) << "binary: no line-end translation";
}

} // namespace

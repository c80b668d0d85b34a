#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "io/IoTestUtil.h"
#include "SheetTestUtil.h"
#include "fw/Cp932String.h"
#include "io/ExportTexts.h"
#include "io/TextFile.h"
#include "model/SheetFile.h"
#include "ScriptedAnswers.h"

using namespace iotest;

namespace {

const std::string kTooMany = "インポートエラー：一行目の列数以上の項目を持つ行があります\n";

// ---- Export: the file's bytes ----------------------------------------------

struct ExportCase {
    const char* name;
    std::vector<std::string> columns;
    std::vector<RowSpec> rows;
    int mark;
    std::string bytes;
};

class ExportCsvTest : public testing::TestWithParam<ExportCase> {};

TEST_P(ExportCsvTest, WritesExactBytes) {
    const ExportCase& c = GetParam();
    CScriptedAnswers ui;
    CSheetFile sheet;
    BuildSheet(sheet, c.columns, c.rows);
    sheet.m_nCsvMark = c.mark;
    CTempDir dir;
    const std::string path = dir.File("out.csv");
    EXPECT_EQ(sheet.ExportCsv(path.c_str()), TRUE);
    EXPECT_EQ(ReadBytes(path), c.bytes);
    EXPECT_TRUE(ui.m_shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    SheetCsv, ExportCsvTest,
    testing::Values(
        ExportCase{"WorkedExampleCircles",
                   {"A", "B"},
                   {{"r1", "10"}, {"r2", "00"}},
                   0,
                   "\"" + kCorner + "\",\"A\",\"B\"\r\n\"r1\",\"" + kMaru + "\",\"" + kBatsu +
                       "\"\r\n\"r2\",\"" + kBatsu + "\",\"" + kBatsu + "\"\r\n"},
        ExportCase{"WorkedExampleDigits",
                   {"A", "B"},
                   {{"r1", "10"}, {"r2", "00"}},
                   1,
                   "\"" + kCorner +
                       "\",\"A\",\"B\"\r\n\"r1\",\"1\",\"0\"\r\n\"r2\",\"0\",\"0\"\r\n"},
        ExportCase{"EmptySheetIsHeaderOnly", {}, {}, 0, "\"" + kCorner + "\"\r\n"},
        ExportCase{"RowsWithoutColumnsKeepTheComma",
                   {},
                   {{"r1", ""}, {"r2", ""}},
                   0,
                   "\"" + kCorner + "\"\r\n\"r1\",\r\n\"r2\",\r\n"},
        ExportCase{"OtherMarkValueGivesEmptyFields",
                   {"A", "B"},
                   {{"r1", "10"}},
                   2,
                   "\"" + kCorner + "\",\"A\",\"B\"\r\n\"r1\",\"\",\"\"\r\n"},
        ExportCase{"NegativeMarkValueGivesEmptyFields",
                   {"A"},
                   {{"r1", "1"}},
                   -1,
                   "\"" + kCorner + "\",\"A\"\r\n\"r1\",\"\"\r\n"},
        ExportCase{"PlainCellGivesEmptyField",
                   {"A", "B", "C"},
                   {{"r1", "1p0"}},
                   1,
                   "\"" + kCorner + "\",\"A\",\"B\",\"C\"\r\n\"r1\",\"1\",\"\",\"0\"\r\n"},
        ExportCase{
            "NamesWrittenUnescaped",
            {"a,b", "say \"x\"", "100%d"},
            {{"two\nlines", "111"}},
            1,
            "\"" + kCorner +
                "\",\"a,b\",\"say \"x\"\",\"100%d\"\r\n\"two\r\nlines\",\"1\",\"1\",\"1\"\r\n"},
        ExportCase{"EmptyRowName",
                   {"A"},
                   {{"", "0"}},
                   0,
                   "\"" + kCorner + "\",\"A\"\r\n\"\",\"" + kBatsu + "\"\r\n"},
        ExportCase{"HeaderAlwaysItemName",
                   {kCorner},
                   {{kCorner, "1"}},
                   0,
                   "\"" + kCorner + "\",\"" + kCorner + "\"\r\n\"" + kCorner + "\",\"" + kMaru +
                       "\"\r\n"}),
    [](const testing::TestParamInfo<ExportCase>& info) { return std::string(info.param.name); });

TEST(SheetCsv, CsvMarkTextFollowsTheSetting) {
    CSheetFile sheet;
    const std::vector<std::pair<int, std::pair<std::string, std::string>>> table = {
        {0, {kMaru, kBatsu}}, {1, {"1", "0"}}, {2, {"", ""}}, {-1, {"", ""}}};
    for (const auto& [mark, texts] : table) {
        sheet.m_nCsvMark = mark;
        EXPECT_EQ(sheet.CsvMarkText(TRUE), texts.first) << mark;
        EXPECT_EQ(sheet.CsvMarkText(FALSE), texts.second) << mark;
    }
}

// ---- Export failures ---------------------------------------------------------

std::string FullExport(const CSheetFile& sheet) {
    CTempDir dir;
    const std::string path = dir.File("full.csv");
    sheet.ExportCsv(path.c_str());
    return ReadBytes(path);
}

TEST(SheetCsvFailure, DeviceFullAtEveryByteReportsAndKeepsThePrefix) {
    CSheetFile sheet;
    BuildSheet(sheet, {"A", "B"}, {{"r1", "10"}, {"r2", "01"}});
    const std::string full = FullExport(sheet);
    ASSERT_FALSE(full.empty());
    for (std::size_t capacity = 0; capacity < full.size(); ++capacity) {
        CScriptedAnswers ui;
        FailingDevice dev{capacity, {}};
        {
            CTextFile file;
            file.Attach(dev.Open(), "/mnt/usb/out.csv", true);
            EXPECT_EQ(sheet.ExportCsv(file), FALSE) << capacity;
        }
        ASSERT_EQ(ui.m_shown.size(), 1u) << capacity;
        EXPECT_EQ(ui.m_shown[0].text, "ファイルの書込に失敗しました:/mnt/usb/out.csv");
        EXPECT_EQ(ui.m_shown[0].type & MB_TYPEMASK, static_cast<UINT>(MB_OK));
        EXPECT_EQ(dev.written, full.substr(0, capacity));
        EXPECT_EQ(dev.closes, 1);
    }
}

TEST(SheetCsvFailure, FailedCloseIsNoSuccess) {
    CScriptedAnswers ui;
    CSheetFile sheet;
    BuildSheet(sheet, {"A"}, {{"r1", "1"}});
    FailingDevice dev{0, {}};
    dev.failCloseOnly = true;
    CTextFile file;
    file.Attach(dev.Open(), "out.csv", true);
    EXPECT_EQ(sheet.ExportCsv(file), FALSE);
    ASSERT_EQ(ui.m_shown.size(), 1u);
    EXPECT_EQ(ui.m_shown[0].text, "ファイルのクローズに失敗しました:out.csv");
}

TEST(SheetCsvFailure, UnopenablePathIsReported) {
    CScriptedAnswers ui;
    CSheetFile sheet;
    CTempDir dir;
    const std::string path = dir.File("missing/out.csv");
    EXPECT_EQ(sheet.ExportCsv(path.c_str()), FALSE);
    ASSERT_EQ(ui.m_shown.size(), 1u);
    EXPECT_EQ(ui.m_shown[0].text, "ファイルのオープンに失敗しました:" + path);
}

TEST(SheetCsvFailure, DevFullIsReported) {
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    CScriptedAnswers ui;
    CSheetFile sheet;
    BuildSheet(sheet, {"A"}, {{"r1", "1"}});
    EXPECT_EQ(sheet.ExportCsv("/dev/full"), FALSE);
    ASSERT_EQ(ui.m_shown.size(), 1u);
    EXPECT_EQ(ui.m_shown[0].text, "ファイルのクローズに失敗しました:/dev/full");
}

// ---- Import: what the sheet holds afterwards ------------------------------

struct ImportCase {
    const char* name;
    std::vector<std::string> baseColumns;
    std::vector<RowSpec> baseRows;
    std::string bytes;
    std::string sheet;                 // Dump() afterwards
    std::vector<std::string> messages; // shown, in order
};

class ImportCsvTest : public testing::TestWithParam<ImportCase> {};

TEST_P(ImportCsvTest, GivesSheetAndMessages) {
    const ImportCase& c = GetParam();
    CScriptedAnswers ui;
    CSheetFile sheet;
    BuildSheet(sheet, c.baseColumns, c.baseRows);
    CTempDir dir;
    const std::string path = dir.File("in.csv");
    WriteBytes(path, c.bytes);
    EXPECT_EQ(sheet.ImportCsv(path.c_str()), TRUE);
    EXPECT_EQ(Dump(sheet), c.sheet);
    std::vector<std::string> shown;
    for (const auto& s : ui.m_shown)
        shown.push_back(s.text);
    EXPECT_EQ(shown, c.messages);
}

const std::string kLong(3000, 'n');

INSTANTIATE_TEST_SUITE_P(
    SheetCsv, ImportCsvTest,
    testing::Values(
        ImportCase{"WorkedExample",
                   {},
                   {},
                   "\"" + kCorner + "\",\"A\",\"B\"\r\n\"r1\",\"" + kMaru + "\",\"" + kBatsu +
                       "\"\r\n\"r2\",\"" + kBatsu + "\",\"" + kBatsu + "\"\r\n",
                   "A,B;r1=10;r2=00",
                   {}},
        ImportCase{"DigitMarks", {}, {}, "h,A,B\r\nr1,1,0\r\nr2,0,1\r\n", "A,B;r1=10;r2=01", {}},
        ImportCase{"EmptyFileAddsNothing", {}, {}, "", "", {}},
        ImportCase{"LfLineEnds", {}, {}, "h,A\nr1,1\nr2,0", "A;r1=1;r2=0", {}},
        ImportCase{"HeaderFirstFieldIgnored", {}, {}, "anything,A\r\n", "A", {}},
        ImportCase{
            "HeaderSingleFieldNamesOnly", {}, {}, "\"h\"\r\n\"r1\"\r\n\"r2\"\r\n", ";r1=;r2=", {}},
        ImportCase{"HeaderSingleFieldMarkStops",
                   {},
                   {},
                   "\"h\"\r\n\"r1\"\r\n\"r2\",\"1\"\r\n",
                   ";r1=",
                   {kTooMany + "3行目：\"r2\",\"1\""}},
        ImportCase{"FewerMarksLeaveCellsUnchecked",
                   {},
                   {},
                   "h,A,B,C\r\nr1,1\r\nr2\r\n",
                   "A,B,C;r1=100;r2=000",
                   {}},
        ImportCase{"EmptyLineStopsAndNamesItsLine",
                   {},
                   {},
                   "h,A\r\nr1,1\r\n\r\nr2,1\r\n",
                   "A;r1=1",
                   {kTooMany + "3行目："}},
        ImportCase{"FileEndingInEmptyLine",
                   {},
                   {},
                   "h,A\r\nr1,1\r\nr2,0\r\n\r\n",
                   "A;r1=1;r2=0",
                   {kTooMany + "4行目："}},
        ImportCase{"TooManyFieldsOnFourthLine",
                   {},
                   {},
                   "h,A\r\nr1,1\r\nr2,0\r\nr3,1,1\r\nr4,1\r\n",
                   "A;r1=1;r2=0",
                   {kTooMany + "4行目：r3,1,1"}},
        ImportCase{"TrailingCommaAddsNoField", {}, {}, "h,A\r\nr1,1,\r\n", "A;r1=1", {}},
        ImportCase{"EmptyFieldInTheMiddle", {}, {}, "h,A,B\r\nr1,,1\r\n", "A,B;r1=01", {}},
        ImportCase{"LeadingCommaGivesEmptyName", {}, {}, ",A\r\n,1\r\n", "A;=1", {}},
        ImportCase{"OnlyOneAndCircleCheck",
                   {},
                   {},
                   "h,A,B,C,D,E,F,G\r\nr,\"" + kBatsu + "\",\"0\",\"\x82\x50\", \"" + kMaru +
                       "\",\"\",\"" + kMaru + "\",\"1\"\r\n",
                   "A,B,C,D,E,F,G;r=0000011",
                   {}},
        ImportCase{"BothStylesWhateverTheSetting",
                   {},
                   {},
                   "h,A,B\r\nr," + kMaru + ",1\r\n",
                   "A,B;r=11",
                   {}},
        ImportCase{"SpaceBeforeQuoteKept", {}, {}, "\"h\", \"A\"\r\n", " \"A", {}},
        ImportCase{"InnerSpacesKept", {}, {}, "h,\" A \"\r\n\" r \",\" 1\"\r\n", " A ; r =0", {}},
        ImportCase{"ManyQuotesStripped",
                   {},
                   {},
                   "h,\"\"\"A\"\"\"\r\n\"\"r\"\",\"\"1\"\"\r\n",
                   "A;r=1",
                   {}},
        ImportCase{
            "QuotedCommaSplits", {}, {}, "h,\"a,b\",C\r\n\"r\",\"x,1\"\r\n", "a,b,C;r=010", {}},
        ImportCase{"IntoSheetWithColumns",
                   {"X"},
                   {{"old", "1"}},
                   "h,A\r\nr1,1,1\r\nr2,0,1\r\nr3,1,1,1\r\n",
                   "X,A;old=10;r1=11;r2=01",
                   {kTooMany + "4行目：r3,1,1,1"}},
        ImportCase{"LongLineIsOneRow",
                   {},
                   {},
                   "h,A\r\n" + kLong + ",1\r\nr2,0\r\n",
                   "A;" + kLong + "=1;r2=0",
                   {}},
        ImportCase{
            "NulCutsTheLine", {}, {}, std::string("h,A,B\r\nr1,1\0,1\r\n", 16), "A,B;r1=10", {}},
        ImportCase{"BadLineShownInUtf8",
                   {},
                   {},
                   "h\r\nr," + kMaru + "\r\n",
                   "",
                   {kTooMany + "2行目：r,○"}}),
    [](const testing::TestParamInfo<ImportCase>& info) { return std::string(info.param.name); });

TEST(SheetCsv, ImportOfMissingFileReportsAndLeavesTheSheet) {
    CScriptedAnswers ui;
    CSheetFile sheet;
    BuildSheet(sheet, {"A"}, {{"r1", "1"}});
    CTempDir dir;
    const std::string path = dir.File("nothing.csv");
    EXPECT_EQ(sheet.ImportCsv(path.c_str()), FALSE);
    EXPECT_EQ(Dump(sheet), "A;r1=1");
    ASSERT_EQ(ui.m_shown.size(), 1u);
    EXPECT_EQ(ui.m_shown[0].text, "ファイルのオープンに失敗しました:" + path);
}

TEST(SheetCsv, ImportedCellsAreUncheckedCheckCellsInEveryRow) {
    CScriptedAnswers ui;
    CSheetFile sheet;
    BuildSheet(sheet, {"X"}, {{"a", "p"}, {"b", "1"}});
    CTempDir dir;
    const std::string path = dir.File("in.csv");
    WriteBytes(path, "h,A,B\r\nc,1,1,1\r\n");
    sheet.ImportCsv(path.c_str());
    // Existing rows got one new check cell per new column; the plain cell stays.
    EXPECT_EQ(Dump(sheet), "X,A,B;a=p00;b=100;c=111");
    for (int i = 0; i < sheet.GetSize(); ++i)
        EXPECT_EQ(sheet.GetAt(i)->GetSize(), sheet.m_Columns.GetSize());
}

// ---- Round trips ---------------------------------------------------------------

struct RoundTripCase {
    const char* name;
    std::vector<std::string> columns;
    std::vector<RowSpec> rows;
    int mark;
};

class CsvRoundTripTest : public testing::TestWithParam<RoundTripCase> {};

TEST_P(CsvRoundTripTest, ExportThenImportGivesTheSameSheet) {
    const RoundTripCase& c = GetParam();
    CScriptedAnswers ui;
    CSheetFile original;
    BuildSheet(original, c.columns, c.rows);
    original.m_nCsvMark = c.mark;
    CTempDir dir;
    const std::string path = dir.File("rt.csv");
    ASSERT_EQ(original.ExportCsv(path.c_str()), TRUE);
    CSheetFile back;
    ASSERT_EQ(back.ImportCsv(path.c_str()), TRUE);
    EXPECT_EQ(Dump(back), Dump(original));
    EXPECT_TRUE(ui.m_shown.empty());
}

std::vector<RoundTripCase> RoundTripCases() {
    std::vector<RoundTripCase> cases = {
        {"WorkedExample", {"A", "B"}, {{"r1", "10"}, {"r2", "00"}}, 0},
        {"DigitMarks", {"A", "B"}, {{"r1", "10"}, {"r2", "01"}}, 1},
        {"Empty", {}, {}, 0},
        {"RowsOnly", {}, {{"a", ""}, {"b", ""}}, 0},
        {"EmptyNames", {"", "B"}, {{"", "11"}}, 0},
        {"JapaneseNames",
         {"\x83\x5c", "\x95\x5c"},
         {{kCorner, "01"}, {"\x8b\x40\x94\x5c", "10"}},
         0},
    };
    RoundTripCase wide{"FiftyColumnsTwentyRows", {}, {}, 1};
    for (int j = 0; j < 50; ++j)
        wide.columns.push_back("c" + std::to_string(j));
    for (int i = 0; i < 20; ++i) {
        std::string cells;
        for (int j = 0; j < 50; ++j)
            cells += ((i * 7 + j * 3) % 5 == 0) ? '1' : '0';
        wide.rows.push_back({"row " + std::to_string(i), cells});
    }
    cases.push_back(wide);
    return cases;
}

INSTANTIATE_TEST_SUITE_P(SheetCsv, CsvRoundTripTest, testing::ValuesIn(RoundTripCases()),
                         [](const testing::TestParamInfo<RoundTripCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace

namespace {

// ---- Import against the field-by-field reading ------------------------------

// Random CSV texts (quotes anywhere, empty fields, trailing commas, marks,
// lines longer than the header) imported, against a reading of the same text
// split at every comma and trimmed of quotes, one string per field.
struct ReferenceRow {
    std::string name;
    std::vector<int> checks;
};

struct ReferenceSheet {
    std::vector<std::string> columns;
    std::vector<ReferenceRow> rows;
    int nMessages = 0;
};

// A line's fields: split at every comma, none after a comma that ends it.
std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields;
    for (std::size_t start = 0; start < line.size();) {
        const std::size_t comma = std::min(line.find(',', start), line.size());
        fields.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
    return fields;
}

ReferenceSheet ReadReference(const std::vector<std::string>& lines) {
    ReferenceSheet ref;
    std::vector<std::string> fields = SplitFields(lines.empty() ? std::string() : lines[0]);
    for (std::size_t i = 1; i < fields.size(); ++i) {
        TrimChar(fields[i], '"');
        ref.columns.push_back(fields[i]);
    }
    for (std::size_t n = 1; n < lines.size(); ++n) {
        fields = SplitFields(lines[n]);
        if (fields.empty() || fields.size() - 1 > ref.columns.size()) {
            ++ref.nMessages;
            break;
        }
        for (auto& f : fields)
            TrimChar(f, '"');
        ReferenceRow row{fields[0], std::vector<int>(ref.columns.size(), 0)};
        for (std::size_t i = 1; i < fields.size(); ++i)
            row.checks[i - 1] = fields[i] == CheckedMark() || fields[i] == "1";
        ref.rows.push_back(row);
    }
    return ref;
}

std::string RandomField(std::mt19937& rnd) {
    static const char* const pieces[] = {"\"", "\"\"", "a", " ", "1", "11", "x\"y", ""};
    std::string f;
    const int n = static_cast<int>(rnd() % 4);
    for (int i = 0; i < n; ++i) {
        const unsigned k = rnd() % 11;
        if (k < 8)
            f += pieces[k];
        else if (k < 10)
            f += CheckedMark();
        else
            f += UncheckedMark();
    }
    if (rnd() % 2)
        f = "\"" + f + "\"";
    return f;
}

class ImportCsvDifferential : public testing::TestWithParam<unsigned> {};

TEST_P(ImportCsvDifferential, SameSheetAsFieldByFieldReading) {
    std::mt19937 rnd(GetParam());
    const int nColumns = static_cast<int>(rnd() % 6);
    std::vector<std::string> lines;
    const int nLines = 1 + static_cast<int>(rnd() % 40);
    for (int n = 0; n < nLines; ++n) {
        // Mostly within the header's width; now and then wider, or empty.
        const int width =
            n == 0 ? nColumns + 1
                   : (rnd() % 30 == 0 ? 0 : 1 + static_cast<int>(rnd() % (nColumns + 2)));
        std::string line;
        for (int i = 0; i < width; ++i)
            line += (i ? "," : "") + RandomField(rnd);
        if (width > 0 && rnd() % 8 == 0)
            line += ","; // a trailing comma ends the fields
        lines.push_back(line);
    }
    std::string bytes;
    for (std::size_t n = 0; n < lines.size(); ++n)
        bytes += lines[n] + (n + 1 < lines.size() || rnd() % 2 ? (rnd() % 2 ? "\r\n" : "\n") : "");
    const ReferenceSheet ref = ReadReference(lines);

    CScriptedAnswers ui;
    CSheetFile sheet;
    CTempDir dir;
    const std::string path = dir.File("in.csv");
    WriteBytes(path, bytes);
    EXPECT_EQ(sheet.ImportCsv(path.c_str()), TRUE);
    EXPECT_EQ(static_cast<int>(ui.m_shown.size()), ref.nMessages);
    ASSERT_EQ(sheet.m_Columns.GetSize(), static_cast<int>(ref.columns.size()));
    for (int k = 0; k < sheet.m_Columns.GetSize(); ++k)
        EXPECT_EQ(sheet.m_Columns.GetAt(k)->m_strName, ref.columns[k]);
    ASSERT_EQ(sheet.GetSize(), static_cast<int>(ref.rows.size()));
    for (int r = 0; r < sheet.GetSize(); ++r) {
        const CLineData* pLine = sheet.GetAt(r);
        EXPECT_EQ(pLine->m_strName, ref.rows[r].name) << "row " << r;
        ASSERT_EQ(pLine->GetSize(), static_cast<int>(ref.columns.size()));
        for (int k = 0; k < pLine->GetSize(); ++k)
            EXPECT_EQ(AsCheckItem(pLine->GetAt(k))->m_bCheck, ref.rows[r].checks[k])
                << "row " << r << " column " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(SheetCsv, ImportCsvDifferential, testing::Range(1u, 121u),
                         [](const auto& info) { return "Seed" + std::to_string(info.param); });

} // namespace

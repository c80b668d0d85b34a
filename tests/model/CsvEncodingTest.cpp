// CSV files in the encodings other programs write: code page 932 reads as
// it always did, UTF-8 (with or without the byte-order mark) is converted,
// text code page 932 cannot hold is refused with nothing imported, and the
// UTF-8 export reads back into the same sheet.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <thread>
#include <vector>

#include "io/IoTestUtil.h"
#include "SheetTestUtil.h"
#include "fw/Cp932.h"
#include "io/CsvEncoding.h"
#include "io/TextFile.h"
#include "model/SheetFile.h"
#include "ScriptedAnswers.h"

using namespace iotest;

namespace {

const std::string kBom = "\xEF\xBB\xBF";

std::string Cp932(const char* utf8) {
    return cp932::FromUtf8OrDie(utf8);
}

// ---- Which encoding a file is taken for, and what the sheet gets ----------

struct EncodingCase {
    const char* name;
    std::string bytes;
    CsvEncoding encoding;
    std::string sheet; // Dump() afterwards (code page 932 names)
};

class CsvEncodingTable : public testing::TestWithParam<EncodingCase> {};

TEST_P(CsvEncodingTable, ImportsTheSameSheet) {
    const EncodingCase& c = GetParam();
    EXPECT_EQ(DetectCsvEncoding(c.bytes), c.encoding);
    CScriptedAnswers ui;
    CSheetFile sheet;
    CTempDir dir;
    const std::string path = dir.File("in.csv");
    WriteBytes(path, c.bytes);
    EXPECT_EQ(sheet.ImportCsv(path.c_str()), TRUE);
    EXPECT_EQ(Dump(sheet), c.sheet);
    EXPECT_TRUE(ui.m_shown.empty());
}

// The one sheet, column "列A" and "B", row "行1" with A checked, in each form.
const std::string kJapaneseSheet = Cp932("列A") + ",B;" + Cp932("行1") + "=10";
const char kJapaneseUtf8[] = "\"項目名\",\"列A\",\"B\"\r\n\"行1\",\"○\",\"×\"\r\n";

INSTANTIATE_TEST_SUITE_P(
    Csv, CsvEncodingTable,
    testing::Values(
        EncodingCase{"Cp932WithJapaneseNames", Cp932(kJapaneseUtf8), CsvEncoding::Cp932,
                     kJapaneseSheet},
        EncodingCase{"Cp932WithAsciiNames",
                     "\"" + kCorner + "\",\"A\"\r\n\"r1\",\"" + kMaru + "\"\r\n",
                     CsvEncoding::Cp932, "A;r1=1"},
        EncodingCase{"Utf8WithMark", kBom + kJapaneseUtf8, CsvEncoding::Utf8WithMark,
                     kJapaneseSheet},
        EncodingCase{"Utf8WithoutMark", kJapaneseUtf8, CsvEncoding::Utf8, kJapaneseSheet},
        EncodingCase{"AsciiOnly", "x,A,B\r\nr1,1,0\r\nr2,0,1\r\n", CsvEncoding::Cp932,
                     "A,B;r1=10;r2=01"},
        // "列A" in UTF-8 also reads as code page 932 ("蛻輸"): UTF-8 wins.
        EncodingCase{"ValidInBothReadsAsUtf8", "x,\xE5\x88\x97\x41\r\n", CsvEncoding::Utf8,
                     Cp932("列A")},
        // The mark alone is an empty file.
        EncodingCase{"MarkOnly", kBom, CsvEncoding::Utf8WithMark, ""},
        // Half-width katakana are single bytes above 0x7F in code page 932.
        EncodingCase{"Cp932HalfWidthKana", "x,\xB6\xC5\r\nr,1\r\n", CsvEncoding::Cp932,
                     "\xB6\xC5;r=1"},
        // A wave dash typed on this system is the Windows one in the sheet.
        EncodingCase{"Utf8WaveDashFolds", "x,\xE3\x80\x9C\r\n", CsvEncoding::Utf8, "\x81\x60"},
        // Line ends and the line rules are those of code page 932 files.
        EncodingCase{"Utf8LfLinesAndQuotes", "x,\"\"\"列\"\r\n行,1\n", CsvEncoding::Utf8,
                     Cp932("列") + ";" + Cp932("行") + "=1"}),
    [](const testing::TestParamInfo<EncodingCase>& i) { return i.param.name; });

// ---- Well-formed UTF-8 --------------------------------------------------------

struct Utf8Case {
    const char* name;
    std::string bytes;
    std::size_t valid; // the well-formed prefix
    bool multiByte;
};

class Utf8Validity : public testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8Validity, MeasuresTheWellFormedPrefix) {
    const Utf8Case& c = GetParam();
    bool multi = !c.multiByte;
    EXPECT_EQ(ValidUtf8Prefix(c.bytes, &multi), c.valid);
    EXPECT_EQ(multi, c.multiByte);
}

INSTANTIATE_TEST_SUITE_P(
    Csv, Utf8Validity,
    testing::Values(Utf8Case{"Ascii", "abc", 3, false}, Utf8Case{"Empty", "", 0, false},
                    Utf8Case{"TwoThreeFour", "\xC3\xA9\xE3\x81\x82\xF0\x9F\x98\x80", 9, true},
                    Utf8Case{"OverlongTwo", "a\xC0\x80", 1, false},
                    Utf8Case{"OverlongThree", "a\xE0\x80\x80", 1, false},
                    Utf8Case{"OverlongFour", "\xF0\x80\x80\x80", 0, false},
                    Utf8Case{"Surrogate", "\xC3\xA9\xED\xA0\x80", 2, true},
                    Utf8Case{"AboveUnicode", "\xF4\x90\x80\x80", 0, false},
                    Utf8Case{"LastCodePoint", "\xF4\x8F\xBF\xBF", 4, true},
                    Utf8Case{"TruncatedAtEnd", "a\xE3\x81", 1, false},
                    Utf8Case{"LoneTrail", "\x80", 0, false},
                    Utf8Case{"F5", "\xF5\x80\x80\x80", 0, false},
                    Utf8Case{"BadThirdByte", "\xE3\x81\x41", 0, false},
                    // Code page 932 "項目" is no UTF-8.
                    Utf8Case{"Cp932Kanji", "\x8d\x80\x96\xda", 0, false}),
    [](const testing::TestParamInfo<Utf8Case>& i) { return i.param.name; });

// ---- Refusals: nothing imported, the reason named ---------------------------

struct RefusalCase {
    const char* name;
    std::string bytes;
    std::string message;
};

class CsvRefusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(CsvRefusal, ImportsNothingAndSaysWhy) {
    const RefusalCase& c = GetParam();
    CScriptedAnswers ui;
    CSheetFile sheet;
    BuildSheet(sheet, {"A"}, {{"r1", "1"}});
    CTempDir dir;
    const std::string path = dir.File("in.csv");
    WriteBytes(path, c.bytes);
    EXPECT_EQ(sheet.ImportCsv(path.c_str()), FALSE);
    EXPECT_EQ(Dump(sheet), "A;r1=1");
    ASSERT_EQ(ui.m_shown.size(), 1u);
    EXPECT_EQ(ui.m_shown[0].text, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Csv, CsvRefusal,
    testing::Values(
        RefusalCase{"CharactersNamedOnceEach",
                    "x,列,caf\xC3\xA9\r\n\xF0\x9F\x98\x80,1\r\n\xF0\x9F\x98\x80\xC3\xA9,0\r\n",
                    "このCSVファイル（UTF-8）には、シートに保存できない文字があります"
                    "（シフトJISにない文字です）: 「é」「😀」\nインポートは行いませんでした。"},
        RefusalCase{"WithTheMarkToo", kBom + "x,\xEA\xB0\x80\r\n",
                    "このCSVファイル（UTF-8）には、シートに保存できない文字があります"
                    "（シフトJISにない文字です）: 「가」\nインポートは行いませんでした。"},
        // A mark followed by bytes that are no UTF-8: a damaged file.
        RefusalCase{
            "MarkThenNoUtf8", kBom + "x,A\r\n\x8d\x80,1\r\n",
            "このCSVファイルはUTF-8の印で始まっていますが、9バイト目からUTF-8として読めません。"
            "\nインポートは行いませんでした。"}),
    [](const testing::TestParamInfo<RefusalCase>& i) { return i.param.name; });

TEST(CsvRefusalList, ManyCharactersAreCountedNotAllListed) {
    std::string text = "x";
    for (int i = 0; i < 25; ++i)
        text += ",\xEA\xB0" + std::string(1, static_cast<char>(0x80 + i)); // 가, 각, ...
    const CsvConversion c = ConvertUtf8Csv(text, CsvEncoding::Utf8);
    EXPECT_FALSE(c.ok);
    EXPECT_EQ(c.rejected.size(), 25u);
    EXPECT_NE(c.message.find("「\xEA\xB0\x93」 ほか5文字"), std::string::npos) << c.message;
    EXPECT_EQ(c.message.find("\xEA\xB0\x94"), std::string::npos);
}

// ---- A file that cannot be read twice ----------------------------------------

TEST(CsvPipe, CodePage932AndUtf8ComeThroughAPipe) {
    for (const std::string& bytes : {Cp932(kJapaneseUtf8), std::string(kJapaneseUtf8)}) {
        CTempDir dir;
        const std::string path = dir.File("pipe.csv");
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
        std::thread writer([&] { WriteBytes(path, bytes); });
        CScriptedAnswers ui;
        CSheetFile sheet;
        EXPECT_EQ(sheet.ImportCsv(path.c_str()), TRUE);
        writer.join();
        EXPECT_EQ(Dump(sheet), kJapaneseSheet);
        EXPECT_TRUE(ui.m_shown.empty());
    }
}

// ---- UTF-8 out and back in -----------------------------------------------------

struct Utf8OutCase {
    const char* name;
    std::vector<std::string> columns; // UTF-8
    std::vector<RowSpec> rows;        // names in UTF-8
    int csvMark;
};

class CsvUtf8RoundTrip : public testing::TestWithParam<Utf8OutCase> {};

TEST_P(CsvUtf8RoundTrip, ExportInUtf8ThenImportGivesTheSameSheet) {
    const Utf8OutCase& c = GetParam();
    std::vector<std::string> columns;
    for (const auto& name : c.columns)
        columns.push_back(Cp932(name.c_str()));
    std::vector<RowSpec> rows;
    for (const auto& r : c.rows)
        rows.push_back({Cp932(r.name.c_str()), r.cells});
    CSheetFile sheet;
    BuildSheet(sheet, columns, rows);
    sheet.m_nCsvMark = c.csvMark;

    CScriptedAnswers ui;
    CTempDir dir;
    const std::string cp932Path = dir.File("cp932.csv");
    ASSERT_EQ(sheet.ExportCsv(cp932Path.c_str()), TRUE);
    std::string utf8;
    ASSERT_TRUE(CsvToUtf8WithMark(ReadBytes(cp932Path), utf8));
    EXPECT_EQ(utf8.substr(0, 3), kBom);
    EXPECT_EQ(utf8.substr(3), cp932::ToUtf8(ReadBytes(cp932Path)));
    EXPECT_EQ(DetectCsvEncoding(utf8), CsvEncoding::Utf8WithMark);

    const std::string utf8Path = dir.File("utf8.csv");
    WriteBytes(utf8Path, utf8);
    CSheetFile back;
    EXPECT_EQ(back.ImportCsv(utf8Path.c_str()), TRUE);
    EXPECT_EQ(Dump(back), Dump(sheet));
    EXPECT_TRUE(ui.m_shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Csv, CsvUtf8RoundTrip,
    testing::Values(Utf8OutCase{"JapaneseNamesRoundMarks",
                                {"列A", "確認済み"},
                                {{"行1", "10"}, {"行2", "01"}},
                                0},
                    Utf8OutCase{"DigitMarks", {"A"}, {{"r1", "1"}, {"r2", "0"}}, 1},
                    Utf8OutCase{"NecAndHalfWidth", {"①", "ｶﾅ"}, {{"～〜−", "11"}}, 0},
                    Utf8OutCase{"EmptySheet", {}, {}, 0}),
    [](const testing::TestParamInfo<Utf8OutCase>& i) { return i.param.name; });

TEST(CsvUtf8Out, BytesThatAreNoCharacterAreRefused) {
    std::string utf8 = "unchanged";
    // A lead byte whose trail byte is out of range, as a damaged file may hold.
    EXPECT_FALSE(CsvToUtf8WithMark("\"\x81\x20\"\r\n", utf8));
    EXPECT_EQ(utf8, "unchanged");
    EXPECT_TRUE(CsvToUtf8WithMark("\"" + kMaru + "\"\r\n", utf8));
    EXPECT_EQ(utf8, kBom + "\"○\"\r\n");
}

} // namespace

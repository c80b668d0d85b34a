#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "IoTestUtil.h"
#include "io/TextFile.h"

using iotest::FailingDevice;

namespace {

std::string Message(const std::function<void()>& f) {
    try {
        f();
    } catch (const COstrelFileException& e) {
        return e.m_strMessage;
    }
    return "(no exception)";
}

// ---- Reading: every line of a file, in order --------------------------------

struct ReadCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
};

class ReadLineTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadLineTest, GivesEveryLineThenFalse) {
    const ReadCase& c = GetParam();
    CTempDir dir;
    const std::string path = dir.File("in.txt");
    iotest::WriteBytes(path, c.bytes);
    CTextFile file;
    ASSERT_TRUE(file.Open(path.c_str(), "rt"));
    std::vector<std::string> got;
    std::string line = "stale";
    while (file.ReadLine(line))
        got.push_back(line);
    EXPECT_EQ(got, c.lines);
    EXPECT_EQ(line, "") << "the line is emptied at the end";
    EXPECT_FALSE(file.ReadLine(line)) << "stays at the end";
}

const std::string k5000(5000, 'x');
const std::string k2047(2047, 'y');
const std::string k4094(4094, 'z');

INSTANTIATE_TEST_SUITE_P(
    TextFile, ReadLineTest,
    testing::Values(ReadCase{"LfEnds", "a\nb\n", {"a", "b"}},
                    ReadCase{"CrLfEnds", "a\r\nb\r\n", {"a", "b"}},
                    ReadCase{"MixedEnds", "a\r\nb\nc\r\n", {"a", "b", "c"}},
                    ReadCase{"LastLineWithoutEnd", "a\nlast", {"a", "last"}},
                    ReadCase{"EmptyFile", "", {}}, ReadCase{"EmptyLines", "\n\r\n", {"", ""}},
                    ReadCase{"NulCutsTheLine", std::string("ab\0cd\nx\n", 8), {"ab", "x"}},
                    ReadCase{"CrAloneIsNoLineEnd", "a\rb\n", {"a\rb"}},
                    ReadCase{"SpacesAndTabsKept", " a\t \n\t\n", {" a\t ", "\t"}},
                    ReadCase{"CrBeforeCrLfGoesToo", "a\r\r\n", {"a"}},
                    ReadCase{
                        "DoubleByteTextUnchanged", "\x81\x9b,\x81\x7e\r\n", {"\x81\x9b,\x81\x7e"}},
                    ReadCase{"ByteOrderMarkNotSkipped",
                             "\xEF\xBB\xBF"
                             "a\n",
                             {"\xEF\xBB\xBF"
                              "a"}},
                    ReadCase{"LongLineComesWhole", k5000 + "\r\nnext\r\n", {k5000, "next"}},
                    ReadCase{"Line2047BytesNoExtraEmptyLine", k2047 + "\r\n", {k2047}},
                    ReadCase{"Line4094BytesWithoutEnd", k4094, {k4094}}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

// ---- Writing: the bytes that reach the file -------------------------------

struct WriteCase {
    const char* name;
    const char* mode;
    std::vector<std::string> pieces;
    std::string bytes;
};

class WriteTest : public testing::TestWithParam<WriteCase> {};

TEST_P(WriteTest, WritesExactBytes) {
    const WriteCase& c = GetParam();
    CTempDir dir;
    const std::string path = dir.File("out.txt");
    {
        CTextFile file;
        file.Open(path.c_str(), c.mode);
        for (const std::string& piece : c.pieces)
            file << piece;
        EXPECT_TRUE(file.Close());
    }
    EXPECT_EQ(iotest::ReadBytes(path), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    TextFile, WriteTest,
    testing::Values(
        WriteCase{"TextModeLfBecomesCrLf", "wt", {"a\nb", "\n"}, "a\r\nb\r\n"},
        WriteCase{"TextModeEveryLf", "wt", {"\n\n", "x\r\n"}, "\r\n\r\nx\r\r\n"},
        WriteCase{"PercentIsNoFormat", "wt", {"%d%s%n", "100%"}, "%d%s%n100%"},
        WriteCase{"EmptyWritesNothing", "wt", {"", ""}, ""},
        WriteCase{"DoubleByteUnchanged", "wt", {"\x81\x9b\x96\xbc\n"}, "\x81\x9b\x96\xbc\r\n"},
        WriteCase{"BinaryModeKeepsLf", "wb", {"a\nb\r\n"}, "a\nb\r\n"},
        WriteCase{"ModeWithoutTIsText", "w", {"a\n"}, "a\r\n"}),
    [](const testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.name); });

TEST(TextFile, WriteReplacesAnExistingFile) {
    CTempDir dir;
    const std::string path = dir.File("old.csv");
    iotest::WriteBytes(path, "a much longer old content\r\n");
    CTextFile file;
    file.Open(path.c_str(), "wt");
    file << "new\n";
    file.Close();
    EXPECT_EQ(iotest::ReadBytes(path), "new\r\n");
}

TEST(TextFile, WriteThenReadBackIsTheSameLines) {
    CTempDir dir;
    const std::string path = dir.File("rt.txt");
    const std::vector<std::string> lines = {"", "one", " two ", std::string(3000, 'w'), "\x81\x9b"};
    {
        CTextFile out;
        out.Open(path.c_str(), "wt");
        for (const auto& l : lines)
            out << l << "\n";
        out.Close();
    }
    CTextFile in;
    in.Open(path.c_str(), "rt");
    std::vector<std::string> got;
    std::string line;
    while (in.ReadLine(line))
        got.push_back(line);
    EXPECT_EQ(got, lines);
}

// ---- Failures: each one a message with the fixed text, ":" and the path ----

TEST(TextFileFailure, OpenNamesThePathAsPassed) {
    CTempDir dir;
    const std::string missing = dir.File("no such folder/x.csv");
    CTextFile file;
    EXPECT_EQ(Message([&] { file.Open(missing.c_str(), "rt"); }),
              "ファイルのオープンに失敗しました:" + missing);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.m_strFileName, "");
}

TEST(TextFileFailure, FailedOpenKeepsTheEarlierName) {
    CTempDir dir;
    const std::string good = dir.File("good.txt");
    CTextFile file;
    file.Open(good.c_str(), "wt");
    file.Close();
    EXPECT_EQ(Message([&] { file.Open("", "wt"); }), "ファイルのオープンに失敗しました:");
    EXPECT_EQ(file.m_strFileName, good);
}

TEST(TextFileFailure, WriteToAFullDeviceKeepsWhatFitAndStaysOpen) {
    FailingDevice dev{5, {}};
    {
        CTextFile file;
        file.Attach(dev.Open(), "/media/full/out.csv", true);
        file << "abc";
        EXPECT_EQ(Message([&] { file << "de\nfg"; }),
                  "ファイルの書込に失敗しました:/media/full/out.csv");
        EXPECT_TRUE(file.IsOpen());
        EXPECT_EQ(dev.closes, 0);
    }
    EXPECT_EQ(dev.written, "abcde");
    EXPECT_EQ(dev.closes, 1) << "the destructor closes after the exception";
}

TEST(TextFileFailure, FailedCloseIsReportedOnceAndNotRepeated) {
    FailingDevice dev{0, {}};
    dev.failCloseOnly = true;
    {
        CTextFile file;
        file.Attach(dev.Open(), "c:/x.csv", true);
        file << "line\n";
        EXPECT_EQ(Message([&] { file.Close(); }), "ファイルのクローズに失敗しました:c:/x.csv");
        EXPECT_FALSE(file.IsOpen());
        EXPECT_TRUE(file.Close()) << "closing a closed file is no error";
    }
    EXPECT_EQ(dev.closes, 1);
    EXPECT_EQ(dev.written, "line\r\n");
}

TEST(TextFileFailure, DevFullFailsAtCloseForSmallAndAtWriteForLargeText) {
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    {
        CTextFile file;
        file.Open("/dev/full", "wt");
        file << "small";
        EXPECT_EQ(Message([&] { file.Close(); }), "ファイルのクローズに失敗しました:/dev/full");
    }
    {
        CTextFile file;
        file.Open("/dev/full", "wt");
        const std::string big(1 << 20, 'x');
        EXPECT_EQ(Message([&] { file << big; }), "ファイルの書込に失敗しました:/dev/full");
    }
}

} // namespace

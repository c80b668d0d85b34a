#include <gtest/gtest.h>

#include <sstream>

#include "fw/Archive.h"
#include "model/ColumnData.h"
#include "model/LineData.h"

#include <functional>
#include <memory>

namespace {

std::string Store(const std::function<void(CArchive&)>& write) {
    std::ostringstream out;
    CArchive ar(out);
    write(ar);
    return out.str();
}

struct PrefixCase {
    const char* name;
    std::size_t length;
    std::string prefix;
};

class StringPrefix : public ::testing::TestWithParam<PrefixCase> {};

TEST_P(StringPrefix, WrittenAndReadBack) {
    const PrefixCase& c = GetParam();
    const std::string text(c.length, 'x');
    const std::string bytes = Store([&](CArchive& ar) { ar.WriteString(text); });
    ASSERT_EQ(bytes.size(), c.prefix.size() + c.length);
    EXPECT_EQ(bytes.substr(0, c.prefix.size()), c.prefix);
    CArchive in(bytes);
    EXPECT_EQ(in.ReadString(), text);
    EXPECT_EQ(in.BytesLeft(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, StringPrefix,
    ::testing::Values(PrefixCase{"Empty", 0, std::string("\x00", 1)},
                      PrefixCase{"Byte254", 254, "\xFE"},
                      PrefixCase{"Word255", 255, std::string("\xFF\xFF\x00", 3)},
                      PrefixCase{"Word65533", 65533, "\xFF\xFD\xFF"},
                      PrefixCase{"Dword65534", 65534, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Archive, WideStringIsConvertedToCodePage932) {
    // 0xFF, WORD 0xFFFE, then the length 3 and "Aチ1" in UTF-16LE.
    const std::string bytes("\xFF\xFE\xFF\x03" "A\x00\xC1\x30" "1\x00", 10);
    CArchive ar(bytes);
    EXPECT_EQ(ar.ReadString(), "A\x83\x60" "1");
}

TEST(Archive, CountsUseTheLongFormFrom0xFFFF) {
    const std::string small = Store([](CArchive& ar) { ar.WriteCount(0xFFFE); });
    EXPECT_EQ(small, "\xFE\xFF");
    const std::string big = Store([](CArchive& ar) { ar.WriteCount(0x10000); });
    EXPECT_EQ(big, std::string("\xFF\xFF\x00\x00\x01\x00", 6));
}

struct HostileCase {
    const char* name;
    std::string bytes;
    bool count; // read a count, else a string
};

class HostileLength : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileLength, RejectedAsMalformed) {
    CArchive ar(GetParam().bytes);
    try {
        if (GetParam().count)
            ar.ReadCount();
        else
            ar.ReadString();
        FAIL() << "accepted";
    } catch (const CFileError& e) {
        EXPECT_EQ(e.m_error, FileError::BadFormat);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, HostileLength,
    ::testing::Values(HostileCase{"HugeStringLength", std::string("\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 7), false},
                      HostileCase{"StringLongerThanData", "\x05" "abc", false},
                      HostileCase{"HugeWideString", std::string("\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\x0F", 9), false},
                      HostileCase{"HugeCount", std::string("\xFF\xFF\xFF\xFF\xFF\x7F", 6), true},
                      HostileCase{"CountBeyondData", std::string("\x03\x00\x00\x80", 4), true},
                      HostileCase{"TruncatedWord", "\x01", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Archive, ClassIndexFrom0x7FFFUsesTheBigTag) {
    // Class 1 and 0x7FFD columns use indices 1..0x7FFE, so the row class
    // becomes 0x7FFF and its second object needs the 0x7FFF tag and a DWORD.
    std::vector<std::unique_ptr<CObject>> objs;
    for (int i = 0; i < 0x7FFD; ++i)
        objs.push_back(std::make_unique<CColumnData>());
    objs.push_back(std::make_unique<CLineData>());
    objs.push_back(std::make_unique<CLineData>());
    const std::string bytes = Store([&](CArchive& ar) {
        for (auto& o : objs)
            ar.WriteObject(o.get());
    });
    EXPECT_EQ(bytes.substr(bytes.size() - 15, 6), std::string("\xFF\x7F\xFF\x7F\x00\x80", 6));
    CArchive in(bytes);
    for (int i = 0; i < 0x7FFD; ++i)
        delete in.ReadObject(RUNTIME_CLASS(CColumnData));
    delete in.ReadObject(RUNTIME_CLASS(CLineData));
    delete in.ReadObject(RUNTIME_CLASS(CLineData));
    EXPECT_EQ(in.BytesLeft(), 0u);
}

TEST(Archive, BigTagReadsAClassIndexWithTheTopBit) {
    // A new class (index 1), its object (2), then the same class through 0x7FFF.
    std::string bytes("\xFF\xFF\x01\x00\x0B\x00", 6);
    bytes += "CColumnData";
    bytes += std::string("\x64\x00\x00\x00\x00\x00\x00", 7);
    bytes += std::string("\xFF\x7F\x01\x00\x00\x80", 6);
    bytes += std::string("\x64\x00\x00\x00\x01" "Z\x00\x00", 8);
    CArchive ar(bytes);
    delete ar.ReadObject(RUNTIME_CLASS(CColumnData));
    std::unique_ptr<CObject> second(ar.ReadObject(RUNTIME_CLASS(CColumnData)));
    EXPECT_EQ(static_cast<CColumnData*>(second.get())->m_strName, "Z");
}

TEST(FileError, MessagesNameThePath) {
    EXPECT_EQ(FileErrorMessage(FileError::BadFormat, "x"), "予期しないﾌｧｲﾙ形式です。");
    EXPECT_EQ(FileErrorMessage(FileError::FileNotFound, "a.tvr"),
              "a.tvr\nこのﾌｧｲﾙが見つかりません。\nﾊﾟｽとﾌｧｲﾙ名が正しいかどうか確認してださい。");
    EXPECT_EQ(FileErrorMessage(FileError::AccessDeniedWrite, "b"),
              "b は使用中または読み取り専用のため、書き込めません。");
    EXPECT_EQ(FileErrorFromErrno(ENOSPC, true), FileError::DiskFull);
    EXPECT_EQ(FileErrorFromErrno(ENOENT, false), FileError::FileNotFound);
    EXPECT_EQ(FileErrorFromErrno(EACCES, false), FileError::AccessDeniedRead);
}

} // namespace

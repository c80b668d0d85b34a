// The archive's own fields: string and count prefixes, hostile lengths from
// memory and from a source, and the file errors' messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "fw/Archive.h"
#include "fw/ArchiveTestUtil.h"

namespace {

using namespace archivetest;

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
                      PrefixCase{"Dword65534", 65534,
                                 std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Archive, WideStringIsConvertedToCodePage932) {
    // 0xFF, WORD 0xFFFE, then the length 3 and "Aチ1" in UTF-16LE.
    const std::string bytes("\xFF\xFE\xFF\x03"
                            "A\x00\xC1\x30"
                            "1\x00",
                            10);
    CArchive ar(bytes);
    EXPECT_EQ(ar.ReadString(), "A\x83\x60"
                               "1");
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

// Reads the case's count or string from ar: it must be refused as malformed.
void ExpectRejected(CArchive& ar, const HostileCase& c) {
    try {
        if (c.count)
            ar.ReadCount();
        else
            ar.ReadString();
        FAIL() << "accepted";
    } catch (const CFileError& e) {
        EXPECT_EQ(e.m_error, FileError::BadFormat);
    }
}

class HostileLength : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileLength, RejectedAsMalformed) {
    CArchive ar(GetParam().bytes);
    ExpectRejected(ar, GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, HostileLength,
    ::testing::Values(HostileCase{"HugeStringLength",
                                  std::string("\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 7), false},
                      HostileCase{"StringLongerThanData",
                                  "\x05"
                                  "abc",
                                  false},
                      HostileCase{"HugeWideString",
                                  std::string("\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\x0F", 9), false},
                      HostileCase{"HugeCount", std::string("\xFF\xFF\xFF\xFF\xFF\x7F", 6), true},
                      HostileCase{"CountBeyondData", std::string("\x03\x00\x00\x80", 4), true},
                      HostileCase{"TruncatedWord", "\x01", true}),
    [](const auto& info) { return std::string(info.param.name); });

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

class ArchiveSourceHostile : public ::testing::TestWithParam<std::tuple<HostileCase, ChunkCase>> {};

TEST_P(ArchiveSourceHostile, RejectedAsMalformed) {
    const auto& [hostile, chunk] = GetParam();
    PieceSource src{hostile.bytes, chunk.chunk};
    CArchive ar(src.Fn());
    ExpectRejected(ar, hostile);
    EXPECT_FALSE(src.askedAfterEnd);
    // A length is never taken as a size to ask for: the buffer grows only with the bytes.
    EXPECT_LE(src.largestAsk, std::max(std::size_t(128 * 1024), 2 * hostile.bytes.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Archive, ArchiveSourceHostile,
    ::testing::Combine(
        ::testing::Values(
            HostileCase{"HugeStringLength", std::string("\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 7), false},
            HostileCase{"StringLongerThanData", std::string("\x05") + "abc", false},
            HostileCase{"HugeWideString", std::string("\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\x0F", 9),
                        false},
            HostileCase{"HugeCount", std::string("\xFF\xFF\xFF\xFF\xFF\x7F", 6), true},
            HostileCase{"HugeCountBeforeMuchData",
                        std::string("\xFF\xFF\xFF\xFF\xFF\x7F", 6) + std::string(300000, 'x'),
                        true},
            HostileCase{"CountBeyondData", std::string("\x03\x00\x00\x80", 4), true},
            HostileCase{"TruncatedWord", "\x01", true}),
        ::testing::ValuesIn(kChunks)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + std::get<1>(info.param).name;
    });

TEST(ArchiveSource, CountAsLargeAsTheBytesLeftIsAccepted) {
    // Three elements need at least six bytes: six are there, five are not.
    for (const std::size_t extra : {6u, 5u}) {
        const std::string bytes = std::string("\x03\x00", 2) + std::string(extra, 'x');
        PieceSource src{bytes, 1};
        CArchive ar(src.Fn());
        if (extra == 6) {
            EXPECT_EQ(ar.ReadCount(), 3u);
            EXPECT_EQ(ar.BytesLeft(), 6u); // the look-ahead took nothing
        } else {
            EXPECT_THROW(ar.ReadCount(), CFileError);
        }
    }
}

} // namespace

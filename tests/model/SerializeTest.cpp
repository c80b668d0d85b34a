// Rows, cells and their classes through the archive: the bytes a row makes
// wherever they go, a stream that fails, the class indices, and rows read
// from a source in pieces.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <sstream>
#include <tuple>

#include "fw/Archive.h"
#include "fw/ArchiveTestUtil.h"
#include "model/CheckItem.h"
#include "model/ColumnData.h"
#include "model/LineData.h"
#include "model/SheetFile.h"
#include "model/SheetIo.h"

namespace {

using namespace archivetest;

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
    bytes += std::string("\x64\x00\x00\x00\x01"
                         "Z\x00\x00",
                         8);
    CArchive ar(bytes);
    delete ar.ReadObject(RUNTIME_CLASS(CColumnData));
    std::unique_ptr<CObject> second(ar.ReadObject(RUNTIME_CLASS(CColumnData)));
    EXPECT_EQ(static_cast<CColumnData*>(second.get())->m_strName, "Z");
}

} // namespace

// Storing gathers bytes in blocks: wherever they go (a stream, a string, a
// sink) and however the fields fall across block edges, the bytes are the
// same as written field by field.
namespace {

struct BlockCase {
    const char* name;
    std::size_t nameLength; // a row name of this length lands across block edges
    int nCells;
};

std::unique_ptr<CLineData> MakeRow(const BlockCase& c) {
    auto pRow = std::make_unique<CLineData>(std::string(c.nameLength, 'n'), c.nCells);
    pRow->m_strDetail = std::string(c.nameLength / 3, 'd');
    for (int i = 0; i < c.nCells; i += 3)
        pRow->GetAt(i)->Toggle();
    return pRow;
}

// The bytes a row makes, one field at a time, as the format fixes them.
std::string ExpectedRowBytes(const CLineData& row) {
    std::string b;
    auto dword = [&](DWORD v) {
        for (int i = 0; i < 4; ++i)
            b += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    auto word = [&](WORD v) {
        b += static_cast<char>(v & 0xFF);
        b += static_cast<char>(v >> 8);
    };
    auto str = [&](const std::string& s) {
        if (s.size() < 255) {
            b += static_cast<char>(s.size());
        } else if (s.size() < 0xFFFE) {
            b += '\xFF';
            word(static_cast<WORD>(s.size()));
        } else {
            b += '\xFF';
            word(0xFFFF);
            dword(static_cast<DWORD>(s.size()));
        }
        b += s;
    };
    dword(100);
    str(row.m_strName);
    str(row.m_strDetail);
    str(row.m_strLinkFile);
    word(static_cast<WORD>(row.GetSize()));
    for (int i = 0; i < row.GetSize(); ++i) {
        if (i == 0) {
            word(0xFFFF);
            word(1);
            word(10);
            b += "CCheckItem";
        } else {
            word(0x8001); // the class written first, by its index
        }
        dword(100);
        dword(CELL_CHECK);
        dword(100);
        dword(static_cast<const CCheckItem*>(row.GetAt(i))->m_bCheck);
    }
    return b;
}

class ArchiveBlocks : public ::testing::TestWithParam<BlockCase> {};

TEST_P(ArchiveBlocks, EveryTargetGetsTheFieldsBytes) {
    const auto pRow = MakeRow(GetParam());
    const std::string expected = ExpectedRowBytes(*pRow);

    std::ostringstream stream;
    {
        CArchive ar(stream);
        pRow->Serialize(ar);
    } // the archive's end passes the rest on
    EXPECT_EQ(stream.str(), expected);

    std::string text = "kept:";
    {
        CArchive ar(&text);
        pRow->Serialize(ar);
    }
    EXPECT_EQ(text, "kept:" + expected);

    std::string sunk;
    std::size_t nCalls = 0;
    CArchive ar([&](const char* p, std::size_t n) {
        sunk.append(p, n);
        ++nCalls;
    });
    pRow->Serialize(ar);
    ar.Flush();
    EXPECT_EQ(sunk, expected);
    // Blocks, not fields: far fewer hand-overs than fields.
    EXPECT_LE(nCalls, 2 + expected.size() / 65536);
    ar.Flush(); // nothing left: nothing handed over twice
    EXPECT_EQ(sunk, expected);

    CArchive in{std::string_view(expected)};
    CLineData back;
    back.Serialize(in);
    EXPECT_EQ(in.BytesLeft(), 0u);
    ASSERT_EQ(back.GetSize(), pRow->GetSize());
    for (int i = 0; i < back.GetSize(); ++i)
        EXPECT_EQ(AsCheckItem(back.GetAt(i))->m_bCheck, AsCheckItem(pRow->GetAt(i))->m_bCheck);
}

INSTANTIATE_TEST_SUITE_P(Archive, ArchiveBlocks,
                         ::testing::Values(BlockCase{"Small", 5, 3},
                                           BlockCase{"NameOverOneBlock", 200000, 2},
                                           BlockCase{"NameOfManyBlocks", 700001, 1},
                                           BlockCase{"CellsAcrossBlockEdges", 300, 20000},
                                           BlockCase{"LongPrefixNames", 70000, 9000}),
                         [](const auto& info) { return std::string(info.param.name); });

// A stream that takes so many bytes and then fails, like a full disk.
class LimitedBuf : public std::streambuf {
public:
    explicit LimitedBuf(std::size_t limit) : m_limit(limit) {}
    std::string m_taken;

protected:
    std::streamsize xsputn(const char* p, std::streamsize n) override {
        const std::size_t room = m_limit - m_taken.size();
        const std::size_t k = std::min(room, static_cast<std::size_t>(n));
        m_taken.append(p, k);
        return static_cast<std::streamsize>(k);
    }
    int_type overflow(int_type ch) override {
        if (traits_type::eq_int_type(ch, traits_type::eof()) || m_taken.size() >= m_limit)
            return traits_type::eof();
        m_taken += traits_type::to_char_type(ch);
        return ch;
    }

private:
    std::size_t m_limit;
};

struct LimitCase {
    const char* name;
    long long limitFromEnd; // the stream's room: the whole record plus this
};

class ArchiveFailingStream : public ::testing::TestWithParam<LimitCase> {};

TEST_P(ArchiveFailingStream, FailureShowsInTheStreamAndThePrefixIsKept) {
    const auto pRow = MakeRow({"", 150000, 5000});
    const std::string expected = ExpectedRowBytes(*pRow);
    const long long room = static_cast<long long>(expected.size()) + GetParam().limitFromEnd;
    LimitedBuf buf(static_cast<std::size_t>(std::max(0LL, room)));
    std::ostream out(&buf);
    {
        CArchive ar(out);
        pRow->Serialize(ar);
        ar.Flush();
    }
    const bool fits = room >= static_cast<long long>(expected.size());
    EXPECT_EQ(static_cast<bool>(out), fits);
    EXPECT_EQ(buf.m_taken, expected.substr(0, buf.m_taken.size()));
    if (fits) {
        EXPECT_EQ(buf.m_taken, expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Archive, ArchiveFailingStream,
                         ::testing::Values(LimitCase{"NoRoom", -1000000000},
                                           LimitCase{"FailsInTheFirstBlock", -200000},
                                           LimitCase{"FailsAtTheLastByte", -1},
                                           LimitCase{"ExactFit", 0}, LimitCase{"Roomy", 10}),
                         [](const auto& info) { return std::string(info.param.name); });

// Loading remembers the last class met: objects of different classes in
// turn, and a class that is not what the caller expects, are still told apart.
TEST(ArchiveClassMemory, AlternatingClassesAndExpectationsAreKeptApart) {
    CDataItem plain;
    CCheckItem check;
    check.m_bCheck = 1;
    const std::string bytes = Store([&](CArchive& ar) {
        for (int i = 0; i < 4; ++i) {
            ar.WriteObject(&plain);
            ar.WriteObject(&check);
        }
        ar.WriteObject(&check);
    });
    CArchive in(bytes);
    for (int i = 0; i < 4; ++i) {
        std::unique_ptr<CObject> a(in.ReadObject(RUNTIME_CLASS(CDataItem)));
        std::unique_ptr<CObject> b(in.ReadObject(RUNTIME_CLASS(CDataItem)));
        EXPECT_EQ(a->GetRuntimeClass(), RUNTIME_CLASS(CDataItem));
        EXPECT_EQ(b->GetRuntimeClass(), RUNTIME_CLASS(CCheckItem));
    }
    // The same class as the one just read, but now the caller wants a column.
    EXPECT_THROW(delete in.ReadObject(RUNTIME_CLASS(CColumnData)), CFileError);
}

// Rows whose check cells are read the short way between cells of other
// classes: every object still takes its index, so a class first met after a
// run of check cells is found again by its tag, and the sheet reads back to
// the same cells and the same bytes.
TEST(ArchiveClassMemory, ShortWayCellsKeepTheIndicesOfLaterClasses) {
    CSheetFile s;
    for (int i = 0; i < 6; ++i)
        s.AddLine("r" + std::to_string(i));
    s.AddColumn("a", CELL_CHECK);
    s.AddColumn("b", CELL_CHECK);
    s.AddColumn("c", CELL_CHECK);
    s.AddColumn("plain", CELL_PLAIN); // a plain cell in every row
    s.AddColumn("d", CELL_CHECK);
    for (int i = 0; i < 6; ++i) {
        s.EditLine(i, [i](CLineData& l) {
            AsCheckItem(l.GetAt(i % 3))->m_bCheck = i + 1;
            l.GetAt(4)->m_nType = 40 + i; // a type the short way copies as it stands
        });
    }
    std::ostringstream out;
    ASSERT_TRUE(WriteSheet(s, out));
    CSheetFile back;
    ASSERT_FALSE(ReadSheet(back, out.str()));
    ASSERT_EQ(back.GetSize(), 6);
    for (int i = 0; i < 6; ++i) {
        const CLineData* row = std::as_const(back).GetAt(i);
        ASSERT_EQ(row->GetSize(), 5);
        EXPECT_EQ(row->GetAt(3)->GetRuntimeClass(), RUNTIME_CLASS(CDataItem));
        EXPECT_EQ(row->GetAt(4)->GetRuntimeClass(), RUNTIME_CLASS(CCheckItem));
        EXPECT_EQ(row->GetAt(4)->m_nType, 40 + i);
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(static_cast<const CCheckItem*>(row->GetAt(j))->m_bCheck,
                      j == i % 3 ? i + 1 : 0);
    }
    std::ostringstream again;
    ASSERT_TRUE(WriteSheet(back, again));
    EXPECT_EQ(again.str(), out.str());
}

} // namespace

// Rows read from a source: whatever sizes the source hands the bytes over
// in, the archive reads the same fields and holds no more than a block of an
// input with no field that large.
namespace {

class ArchiveSourceRow : public ::testing::TestWithParam<std::tuple<BlockCase, ChunkCase>> {};

TEST_P(ArchiveSourceRow, ReadsTheFieldsAsFromMemory) {
    const auto& [block, chunk] = GetParam();
    const auto pRow = MakeRow(block);
    const std::string bytes = ExpectedRowBytes(*pRow) + "tail";
    PieceSource src{bytes, chunk.chunk};
    CArchive in(src.Fn());
    CLineData back;
    back.Serialize(in);
    EXPECT_EQ(back.m_strName, pRow->m_strName);
    EXPECT_EQ(back.m_strDetail, pRow->m_strDetail);
    ASSERT_EQ(back.GetSize(), pRow->GetSize());
    for (int i = 0; i < back.GetSize(); ++i)
        ASSERT_EQ(AsCheckItem(back.GetAt(i))->m_bCheck, AsCheckItem(pRow->GetAt(i))->m_bCheck) << i;
    EXPECT_EQ(in.BytesLeft(), 4u);
    char tail[4];
    in.Read(tail, 4);
    EXPECT_EQ(std::string(tail, 4), "tail");
    EXPECT_EQ(in.BytesLeft(), 0u);
    EXPECT_FALSE(src.askedAfterEnd);
    // Only a field longer than a block makes the archive ask for more at once.
    const std::size_t longest = std::max(pRow->m_strName.size(), std::size_t(128 * 1024));
    EXPECT_LE(src.largestAsk, 2 * longest);
}

INSTANTIATE_TEST_SUITE_P(
    Archive, ArchiveSourceRow,
    ::testing::Combine(::testing::Values(BlockCase{"Small", 5, 3},
                                         BlockCase{"NameOverOneBlock", 200000, 2},
                                         BlockCase{"CellsAcrossBlockEdges", 300, 20000}),
                       ::testing::ValuesIn(kChunks)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + std::get<1>(info.param).name;
    });

TEST(ArchiveSource, SourceFailureReachesTheCaller) {
    const std::string bytes = ExpectedRowBytes(*MakeRow({"", 10, 30000}));
    std::size_t given = 0;
    CArchive ar([&](char* p, std::size_t n) -> std::size_t {
        if (given >= 100000)
            throw CFileError(FileError::GenericRead);
        const std::size_t k = std::min({n, std::size_t(4096), bytes.size() - given});
        std::memcpy(p, bytes.data() + given, k);
        given += k;
        return k;
    });
    CLineData back;
    try {
        back.Serialize(ar);
        FAIL() << "read past a failing source";
    } catch (const CFileError& e) {
        EXPECT_EQ(e.m_error, FileError::GenericRead);
    }
}

} // namespace

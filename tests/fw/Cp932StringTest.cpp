// The code page 932 text helpers: trimming a character off both ends, and
// case-blind comparison where a double-byte character counts as one.
#include <gtest/gtest.h>

#include "fw/Cp932String.h"

namespace {

struct TrimCase {
    const char* name;
    std::string in;
    char ch;
    std::string out;
};
// Shown by its name in test listings.
void PrintTo(const TrimCase& c, std::ostream* os) {
    *os << c.name;
}

class TrimCharTest : public testing::TestWithParam<TrimCase> {};

TEST_P(TrimCharTest, Trims) {
    std::string s = GetParam().in;
    TrimChar(s, GetParam().ch);
    EXPECT_EQ(s, GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    TrimChar, TrimCharTest,
    testing::Values(TrimCase{"BothEnds", "\"a\"", '"', "a"},
                    TrimCase{"EveryRepeat", "\"\"a\"\"\"", '"', "a"},
                    TrimCase{"InsideStays", "\"a\"b\"", '"', "a\"b"},
                    TrimCase{"OnlyTheChar", "\"\"\"", '"', ""}, TrimCase{"Empty", "", '"', ""},
                    TrimCase{"OtherCharStays", "'a'", '"', "'a'"},
                    // 0x22 never is a trail byte, so a double-byte name keeps its bytes.
                    TrimCase{"DoubleByteName", "\"\x83\x5c\x82\x60\"", '"', "\x83\x5c\x82\x60"}),
    [](const testing::TestParamInfo<TrimCase>& info) { return std::string(info.param.name); });

struct CompareCase {
    const char* name;
    std::string a, b;
    int sign;  // -1, 0, 1
    int exact; // when not 0: the expected difference itself
};

class CompareNoCaseTest : public testing::TestWithParam<CompareCase> {};

TEST_P(CompareNoCaseTest, Compares) {
    const CompareCase& c = GetParam();
    const int r = CompareNoCase(c.a, c.b);
    EXPECT_EQ((r > 0) - (r < 0), c.sign) << r;
    if (c.exact != 0) {
        EXPECT_EQ(r, c.exact);
    }
    const int back = CompareNoCase(c.b, c.a);
    EXPECT_EQ((back > 0) - (back < 0), -c.sign) << "symmetric";
}

INSTANTIATE_TEST_SUITE_P(
    CompareNoCase, CompareNoCaseTest,
    testing::Values(CompareCase{"EqualAscii", "class", "class", 0, 0},
                    CompareCase{"AsciiWithoutCase", "CLASS", "class", 0, 0},
                    CompareCase{"MixedCase", "ClAsS", "cLaSs", 0, 0},
                    CompareCase{"FullWidthWithoutCase", "\x82\x81\x82\x82", "\x82\x60\x82\x61", 0,
                                0},
                    CompareCase{"FullWidthZ", "\x82\x9a", "\x82\x79", 0, 0},
                    CompareCase{"FullWidthIsNotAscii", "\x82\x60", "A", 1, 0x8260 - 'A'},
                    CompareCase{"KanjiEqual", "\x96\xbc", "\x96\xbc", 0, 0},
                    CompareCase{"KanjiDiffer", "\x96\xbc", "\x96\xda", -1, 0x96bc - 0x96da},
                    CompareCase{"TrailByteIsNoLetter", "\x83\x61", "\x83\x41", 1, 0x8361 - 0x8341},
                    CompareCase{"AsciiDifference", "a", "c", -1, 'A' - 'C'},
                    CompareCase{"PrefixIsSmaller", "ab", "abc", -1, -'C'},
                    CompareCase{"DoubleByteCountsAsOne",
                                "\x96\xbc"
                                "a",
                                "\x96\xbc"
                                "B",
                                -1, 'A' - 'B'},
                    CompareCase{"NonLettersKept", "[", "{", -1, '[' - '{'},
                    CompareCase{"EmptyEqual", "", "", 0, 0}),
    [](const testing::TestParamInfo<CompareCase>& info) { return std::string(info.param.name); });

} // namespace

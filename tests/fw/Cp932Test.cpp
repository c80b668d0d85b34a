#include <gtest/gtest.h>

#include "fw/Cp932.h"

namespace {

TEST(Cp932, RoundTripOfJapaneseAndHalfWidthKana) {
    const std::string utf8 = "チェックｶﾅ①\\~";
    cp932::EncodeResult r = cp932::FromUtf8(utf8);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.text, "\x83\x60\x83\x46\x83\x62\x83\x4E\xB6\xC5\x87\x40\\~");
    EXPECT_EQ(cp932::ToUtf8(r.text), utf8);
}

TEST(Cp932, FoldsOtherSystemsCharacters) {
    // WAVE DASH and MINUS SIGN as Linux input methods produce them.
    cp932::EncodeResult r = cp932::FromUtf8("\u301C\u2212");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.text, "\x81\x60\x81\x7C");
}

TEST(Cp932, ReportsEveryCharacterThatCannotBeHeld) {
    cp932::EncodeResult r = cp932::FromUtf8("a😀b한");
    EXPECT_FALSE(r.ok());
    ASSERT_EQ(r.rejected.size(), 2u);
    EXPECT_EQ(r.rejected[0], "😀");
    EXPECT_EQ(r.rejected[1], "한");
    EXPECT_EQ(r.text, "ab");
    EXPECT_NE(cp932::RejectedMessage(r.rejected).find("한"), std::string::npos);
}

TEST(Cp932, InvalidBytesBecomeReplacementCharacters) {
    EXPECT_EQ(cp932::ToUtf8("\x80"
                            "A\xFF"),
              "\xEF\xBF\xBD"
              "A\xEF\xBF\xBD");
    // A lead byte at the very end.
    EXPECT_EQ(cp932::ToUtf8("A\x83"), "A\xEF\xBF\xBD");
}

TEST(Cp932, CharacterWalkCountsDoubleBytesOnce) {
    const std::string s = "a\x83\x60\xB6"
                          "b";
    EXPECT_EQ(cp932::CharCount(s), 4u);
    EXPECT_EQ(cp932::CharLength(s, 1), 2u);
    EXPECT_EQ(cp932::CharLength(s, 3), 1u);
    EXPECT_TRUE(cp932::IsLeadByte(0x81));
    EXPECT_TRUE(cp932::IsLeadByte(0xFC));
    EXPECT_FALSE(cp932::IsLeadByte(0xA0));
    EXPECT_FALSE(cp932::IsLeadByte(0xDF));
}

TEST(Cp932, Utf16WithUnmappableCharactersGivesQuestionMarks) {
    EXPECT_EQ(cp932::FromUtf16(u"A\uD55C"), "A?");
}

} // namespace

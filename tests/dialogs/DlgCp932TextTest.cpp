#include <gtest/gtest.h>

#include "dialogs/Cp932Text.h"
#include "fw/UserInterface.h"
#include "ScriptedAnswers.h"

namespace {

struct EncodeCase {
    const char* name;
    QString typed;
    std::string original;
    bool multiLine;
    bool ok;
    std::string bytes;            // when ok
    std::vector<std::string> bad; // when not ok
};

class Cp932TextEncode : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(Cp932TextEncode, GivesBytesOrNamesTheCharacters) {
    const EncodeCase& c = GetParam();
    std::string out = "untouched";
    std::vector<std::string> rejected;
    bool ok = CCp932Text::Encode(c.typed, c.original, c.multiLine, out, rejected);
    EXPECT_EQ(ok, c.ok);
    if (c.ok) {
        EXPECT_EQ(out, c.bytes);
        EXPECT_TRUE(rejected.empty());
    } else {
        EXPECT_EQ(out, "untouched");
        EXPECT_EQ(rejected, c.bad);
    }
}

// 0xED40 is an NEC-selected duplicate: it decodes to U+7E8A, which encodes back as 0xFA5C.
INSTANTIATE_TEST_SUITE_P(
    Table, Cp932TextEncode,
    ::testing::Values(
        EncodeCase{"UnchangedDuplicateCodeKeepsItsBytes",
                   QString(QChar(0x7E8A)),
                   "\xED\x40",
                   false,
                   true,
                   "\xED\x40",
                   {}},
        EncodeCase{"EditedDuplicateCodeIsEncodedAnew",
                   QString(QChar(0x7E8A)) + "x",
                   "\xED\x40",
                   false,
                   true,
                   "\xFA\x5Cx",
                   {}},
        EncodeCase{"JapaneseText", QStringLiteral("項目"), "", false, true, "\x8D\x80\x96\xDA", {}},
        EncodeCase{"DetailLineFeedsBecomeCrLf",
                   QStringLiteral("a\nb\n"),
                   "",
                   true,
                   true,
                   "a\r\nb\r\n",
                   {}},
        EncodeCase{"UnchangedDetailWithBareLineFeedKeepsIt",
                   QStringLiteral("a\nb"),
                   "a\nb",
                   true,
                   true,
                   "a\nb",
                   {}},
        EncodeCase{"UnchangedDetailWithCrLfKeepsIt",
                   QStringLiteral("a\nb"),
                   "a\r\nb",
                   true,
                   true,
                   "a\r\nb",
                   {}},
        EncodeCase{"SingleLineKeepsCarriageReturnsAsTyped",
                   QStringLiteral("a\nb"),
                   "",
                   false,
                   true,
                   "a\nb",
                   {}},
        EncodeCase{"WaveDashOfInputMethodsIsFolded",
                   QString(QChar(0x301C)),
                   "",
                   false,
                   true,
                   "\x81\x60",
                   {}},
        EncodeCase{"EmojiIsRefused",
                   QString::fromUtf8("a\xF0\x9F\x98\x80"),
                   "",
                   false,
                   false,
                   "",
                   {"\xF0\x9F\x98\x80"}},
        EncodeCase{"HangulIsRefused",
                   QString::fromUtf8("\xED\x95\x9C"),
                   "",
                   false,
                   false,
                   "",
                   {"\xED\x95\x9C"}},
        EncodeCase{"EmptyTextIsEmpty", QString(), "", false, true, "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Cp932Text, RefusedCharactersAreCollectedOnceOverSeveralBoxes) {
    std::vector<std::string> rejected;
    std::string out;
    const QString hangul = QString::fromUtf8("\xED\x95\x9C");
    EXPECT_FALSE(CCp932Text::Encode(hangul + hangul, "", false, out, rejected));
    EXPECT_FALSE(CCp932Text::Encode(hangul, "", true, out, rejected));
    EXPECT_EQ(rejected, std::vector<std::string>{"\xED\x95\x9C"});
}

TEST(Cp932Text, DecodeOfDetailShowsLineBreaks) {
    EXPECT_EQ(CCp932Text::Decode("a\r\nb", true), QStringLiteral("a\nb"));
    EXPECT_EQ(CCp932Text::Decode("a\r\nb", false), QStringLiteral("a\r\nb"));
    EXPECT_EQ(CCp932Text::Decode("\x8D\x80\x96\xDA"), QStringLiteral("項目"));
}

TEST(Cp932Text, NoticeNamesTheCharacterWithOkOnly) {
    CScriptedAnswers ui;
    CCp932Text::ShowRejected({"\xED\x95\x9C"});
    ASSERT_EQ(ui.m_shown.size(), 1u);
    EXPECT_NE(ui.m_shown[0].text.find("\xED\x95\x9C"), std::string::npos);
    EXPECT_EQ(ui.m_shown[0].type & MB_TYPEMASK, MB_OK);
}

} // namespace

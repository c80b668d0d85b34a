// Menu texts as shown: the two items stored with control characters around
// their mnemonic read as every other item does.
#include <QString>
#include <gtest/gtest.h>

#include "view/CommandActions.h"

namespace {

struct MenuTextCase {
    const char* name;
    const char* stored;
    const char* shown;
};
// Shown by its name in test listings.
void PrintTo(const MenuTextCase& c, std::ostream* os) {
    *os << c.name;
}

class MenuItemTextTest : public ::testing::TestWithParam<MenuTextCase> {};

TEST_P(MenuItemTextTest, Shown) {
    EXPECT_EQ(MenuItemText(GetParam().stored), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MenuItemTextTest,
    ::testing::Values(MenuTextCase{"UndoKeepsItsShortcut", "アンドゥ(\x1EU\x1Fｱ)\tCtrl+Z",
                                   "アンドゥ(&U)\tCtrl+Z"},
                      MenuTextCase{"HelpContents",
                                   "ヘルプ(\x1E"
                                   "C\x1Fﾓ)",
                                   "ヘルプ(&C)"},
                      MenuTextCase{"PlainTextAsItIs", "リドウ(&R)", "リドウ(&R)"},
                      MenuTextCase{"ShortcutAsItIs", "コピー(&C)\tCtrl+C", "コピー(&C)\tCtrl+C"},
                      MenuTextCase{"OnlyTheFirstMarkIsNoPair",
                                   "a\x1E"
                                   "b",
                                   "a\x1E"
                                   "b"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

#include <gtest/gtest.h>

#include "fw/Profile.h"
#include "model/Settings.h"

namespace {

TEST(MemoryProfile, MissingValuesGiveDefaultsAndReadingNeverWrites) {
    CMemoryProfile p;
    EXPECT_EQ(p.GetProfileInt("Tavrel", "WakuColor", 7), 7);
    EXPECT_EQ(p.GetProfileString("Tavrel", "LineHeight", "1.5"), "1.5");
    EXPECT_FALSE(p.Has("Tavrel", "WakuColor"));
    p.WriteProfileInt("LineFont", "Size", -12);
    EXPECT_EQ(p.GetProfileInt("LineFont", "Size", 16), -12);
    EXPECT_EQ(p.GetProfileInt("ColumnFont", "Size", 14), 14); // sections are separate
}

TEST(SettingsTable, FirstRunDefaults) {
    CMemoryProfile p;
    EXPECT_EQ(ReadSettingInt(settings::WakuColor, p), 0xC0C0C0);
    EXPECT_EQ(ReadSettingInt(settings::SelColor, p), 0xEED2C1);
    EXPECT_EQ(ReadSettingInt(settings::CellColor, p), 0x800000);
    EXPECT_EQ(ReadSettingInt(settings::LineFont.Size, p), 16);
    EXPECT_EQ(ReadSettingInt(settings::ColumnFont.Size, p), 14);
    EXPECT_EQ(ReadSettingString(settings::LineFont.FaceName, p), "ＭＳ Ｐゴシック");
    EXPECT_EQ(ReadSettingInt(settings::InitFile, p), 1);
    EXPECT_DOUBLE_EQ(ReadLineHeightRate(p), 1.5);
}

struct RateCase {
    const char* name;
    const char* stored;
    double rate;
};

class LineHeightRate : public ::testing::TestWithParam<RateCase> {};

TEST_P(LineHeightRate, ReadFromTheStore) {
    CMemoryProfile p;
    WriteSettingString(settings::LineHeight, GetParam().stored, p);
    EXPECT_DOUBLE_EQ(ReadLineHeightRate(p), GetParam().rate);
}

INSTANTIATE_TEST_SUITE_P(
    Values, LineHeightRate,
    ::testing::Values(RateCase{"Plain", "2", 2.0}, RateCase{"Decimal", "1.25", 1.25},
                      RateCase{"LeadingNumber", "3abc", 3.0}, RateCase{"NotANumber", "abc", 1.5},
                      RateCase{"Zero", "0", 1.5}, RateCase{"BelowOne", "0.5", 1.5},
                      RateCase{"Hundred", "100", 100.0}, RateCase{"AboveHundred", "100.5", 1.5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsTable, RateIsStoredWithPercentG) {
    EXPECT_EQ(FormatLineHeightRate(1.5), "1.5");
    EXPECT_EQ(FormatLineHeightRate(2.0), "2");
}

} // namespace

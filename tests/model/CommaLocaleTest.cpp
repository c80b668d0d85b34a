// Stored numbers under a user locale with a decimal comma. The locale is
// made here with localedef (package "locales") into a folder of the test
// run, and the process is switched to it as the toolkit does at start-up.
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "fw/Profile.h"
#include "fw/RecordingDC.h"
#include "model/DisplaySettings.h"
#include "model/Settings.h"
#include "model/SheetFile.h"
#include "TempDir.h"

namespace {

class CommaLocale : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = std::make_unique<CTempDir>();
        // -c: write the locale even when the source draws warnings.
        const std::string cmd =
            "localedef -c -i de_DE -f UTF-8 '" + s_dir->File("de_DE.UTF-8") + "' >/dev/null 2>&1";
        std::system(cmd.c_str());
        ASSERT_TRUE(std::filesystem::exists(s_dir->File("de_DE.UTF-8/LC_NUMERIC")))
            << "localedef could not make de_DE.UTF-8 (package locales)";
    }
    static void TearDownTestSuite() { s_dir.reset(); }
    void SetUp() override {
        ::setenv("LOCPATH", s_dir->Path().c_str(), 1);
        ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
        // The locale really reads with a comma: the C library's own strtod stops at the point.
        ASSERT_EQ(std::strtod("1.5", nullptr), 1.0);
        AfxSetProfile(&m_profile);
    }
    void TearDown() override {
        AfxSetProfile(nullptr);
        std::setlocale(LC_ALL, "C");
        ::unsetenv("LOCPATH");
    }

    static std::unique_ptr<CTempDir> s_dir;
    CMemoryProfile m_profile;
};
std::unique_ptr<CTempDir> CommaLocale::s_dir;

TEST_F(CommaLocale, DefaultRowHeightIsOneAndAHalf) {
    EXPECT_DOUBLE_EQ(ReadLineHeightRate(m_profile), 1.5);
}

TEST_F(CommaLocale, StoredDecimalsReadWithTheirPoint) {
    for (const auto& [stored, rate] : {std::pair{"2.25", 2.25},
                                       {"1.5", 1.5},
                                       {"7", 7.0},
                                       // A comma was never written by the program: the
                                       // number ends there, as everywhere.
                                       {"1,75", 1.0}}) {
        WriteSettingString(settings::LineHeight, stored, m_profile);
        EXPECT_DOUBLE_EQ(ReadLineHeightRate(m_profile), rate) << stored;
    }
}

TEST_F(CommaLocale, FactorIsWrittenWithAPoint) {
    EXPECT_EQ(FormatLineHeightRate(1.5), "1.5");
    EXPECT_EQ(FormatLineHeightRate(2.25), "2.25");
    EXPECT_EQ(FormatLineHeightRate(100), "100");
    // Written and read back under the same locale gives the same factor.
    WriteSettingString(settings::LineHeight, FormatLineHeightRate(3.125), m_profile);
    EXPECT_DOUBLE_EQ(ReadLineHeightRate(m_profile), 3.125);
}

TEST_F(CommaLocale, NewSheetRowsAreOneAndAHalfTextHeightsHigh) {
    // The whole road: the sheet takes the factor from the store at
    // construction, and measuring makes rows 1.5 text heights high.
    CSheetFile sheet;
    EXPECT_DOUBLE_EQ(sheet.m_dLineHeightRate, 1.5);
    CDisplaySettings look;
    look.m_fontLine.m_nHeight = 16;
    look.m_fontColumn.m_nHeight = 14;
    sheet.SetLook(look);
    CRecordingDC dc;
    sheet.CalcMetrics(&dc);
    EXPECT_EQ(sheet.m_nLineHeight, 24);
    EXPECT_EQ(sheet.m_nColumnHeight, 21);
}

} // namespace

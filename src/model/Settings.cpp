#include "model/Settings.h"

#include <charconv>
#include <clocale>
#include <cstdlib>
#include <locale.h>

namespace settings {
const CSettingDef* const g_allSettings[] = {
    &WakuColor,
    &LineColor,
    &TextColor,
    &CheckColor,
    &BackColor,
    &CheckBackColor,
    &SelColor,
    &SelTextColor,
    &CellColor,
    &LineHeight,
    &LineFont.FaceName,
    &LineFont.Size,
    &LineFont.Weight,
    &LineFont.Italic,
    &LineFont.Underline,
    &LineFont.CharSet,
    &ColumnFont.FaceName,
    &ColumnFont.Size,
    &ColumnFont.Weight,
    &ColumnFont.Italic,
    &ColumnFont.Underline,
    &ColumnFont.CharSet,
    &InitFile,
    &WindowRect,
    &WindowShowCmd,
    &WindowFlags,
    &WindowToolBar,
    &WindowStatusBar,
};
const int g_nAllSettings = sizeof g_allSettings / sizeof g_allSettings[0];
} // namespace settings

int ReadSettingInt(const CSettingDef& def, CProfile& profile) {
    return profile.GetProfileInt(def.m_section, def.m_name, def.m_nDefault);
}

std::string ReadSettingString(const CSettingDef& def, CProfile& profile) {
    return profile.GetProfileString(def.m_section, def.m_name, def.m_strDefault);
}

void WriteSettingInt(const CSettingDef& def, int value, CProfile& profile) {
    profile.WriteProfileInt(def.m_section, def.m_name, value);
}

void WriteSettingString(const CSettingDef& def, const std::string& value, CProfile& profile) {
    profile.WriteProfileString(def.m_section, def.m_name, value);
}

namespace {

// The "C" locale, whatever the user's is: a stored number is written with a
// decimal point on every system, and the toolkit sets the process's locale
// from the environment at start-up.
locale_t CLocale() {
    static const locale_t loc = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

} // namespace

double ReadLineHeightRate(CProfile& profile) {
    const std::string s = ReadSettingString(settings::LineHeight, profile);
    // The longest leading part that is a number, as the C library reads it in
    // the "C" locale ("1,5" reads as 1 everywhere, "1.5" as 1.5).
    char* end = nullptr;
    const double d = ::strtod_l(s.c_str(), &end, CLocale());
    if (end == s.c_str() || !(d >= 1.0 && d <= 100.0))
        return 1.5;
    return d;
}

std::string FormatLineHeightRate(double rate) {
    // "%g" in the "C" locale: six significant digits, no trailing zeros.
    char buf[64];
    const std::to_chars_result r =
        std::to_chars(buf, buf + sizeof buf, rate, std::chars_format::general, 6);
    return std::string(buf, r.ptr);
}

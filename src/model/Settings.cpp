#include "model/Settings.h"

#include <cstdio>
#include <cstdlib>

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

double ReadLineHeightRate(CProfile& profile) {
    const std::string s = ReadSettingString(settings::LineHeight, profile);
    // The longest leading part that is a number, as the C library reads it.
    char* end = nullptr;
    const double d = std::strtod(s.c_str(), &end);
    if (end == s.c_str() || !(d >= 1.0 && d <= 100.0))
        return 1.5;
    return d;
}

std::string FormatLineHeightRate(double rate) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", rate);
    return buf;
}

#pragma once
// Every per-user value the program keeps: its section, name, type and
// default. Reads and writes go through the profile by section and value name.
#include <string>

#include "fw/Profile.h"

struct CSettingDef {
    enum Type { Int, String };
    const char* m_section;
    const char* m_name;
    Type m_type;
    int m_nDefault;           // Int values
    const char* m_strDefault; // String values
};

namespace settings {

// "Tavrel": colours (COLORREF) and the row height factor.
inline constexpr CSettingDef WakuColor{"Tavrel", "WakuColor", CSettingDef::Int, 0xC0C0C0, nullptr};
inline constexpr CSettingDef LineColor{"Tavrel", "LineColor", CSettingDef::Int, 0xC0C0C0, nullptr};
inline constexpr CSettingDef TextColor{"Tavrel", "TextColor", CSettingDef::Int, 0x000000, nullptr};
inline constexpr CSettingDef CheckColor{"Tavrel", "CheckColor", CSettingDef::Int, 0x000000,
                                        nullptr};
inline constexpr CSettingDef BackColor{"Tavrel", "BackColor", CSettingDef::Int, 0xFFFFFF, nullptr};
inline constexpr CSettingDef CheckBackColor{"Tavrel", "CheckBackColor", CSettingDef::Int, 0xFFFFFF,
                                            nullptr};
inline constexpr CSettingDef SelColor{"Tavrel", "SelColor", CSettingDef::Int, 0xEED2C1, nullptr};
inline constexpr CSettingDef SelTextColor{"Tavrel", "SelTextColor", CSettingDef::Int, 0x000000,
                                          nullptr};
inline constexpr CSettingDef CellColor{"Tavrel", "CellColor", CSettingDef::Int, 0x800000, nullptr};
inline constexpr CSettingDef LineHeight{"Tavrel", "LineHeight", CSettingDef::String, 0, "1.5"};

// "LineFont" (row names and row height) and "ColumnFont" (headers).
struct CFontSettingDefs {
    CSettingDef FaceName, Size, Weight, Italic, Underline, CharSet;
};
inline constexpr CFontSettingDefs LineFont{
    {"LineFont", "FaceName", CSettingDef::String, 0, "ＭＳ Ｐゴシック"},
    {"LineFont", "Size", CSettingDef::Int, 16, nullptr},
    {"LineFont", "Weight", CSettingDef::Int, 400, nullptr},
    {"LineFont", "Italic", CSettingDef::Int, 0, nullptr},
    {"LineFont", "Underline", CSettingDef::Int, 0, nullptr},
    {"LineFont", "CharSet", CSettingDef::Int, 128, nullptr},
};
inline constexpr CFontSettingDefs ColumnFont{
    {"ColumnFont", "FaceName", CSettingDef::String, 0, "ＭＳ Ｐゴシック"},
    {"ColumnFont", "Size", CSettingDef::Int, 14, nullptr},
    {"ColumnFont", "Weight", CSettingDef::Int, 400, nullptr},
    {"ColumnFont", "Italic", CSettingDef::Int, 0, nullptr},
    {"ColumnFont", "Underline", CSettingDef::Int, 0, nullptr},
    {"ColumnFont", "CharSet", CSettingDef::Int, 128, nullptr},
};

// "System".
inline constexpr CSettingDef InitFile{"System", "InitFile", CSettingDef::Int, 1, nullptr};

// "Window size": the main frame's placement ("Rect" is "left,top,right,bottom").
inline constexpr CSettingDef WindowRect{"Window size", "Rect", CSettingDef::String, 0,
                                        "100,100,700,500"};
inline constexpr CSettingDef WindowShowCmd{"Window size", "showCmd", CSettingDef::Int, 1, nullptr};
inline constexpr CSettingDef WindowFlags{"Window size", "flags", CSettingDef::Int, 0, nullptr};
inline constexpr CSettingDef WindowToolBar{"Window size", "ToolBar", CSettingDef::Int, 1, nullptr};
inline constexpr CSettingDef WindowStatusBar{"Window size", "StatusBar", CSettingDef::Int, 1,
                                             nullptr};

// The recent-file list: "Recent File List", "File1" to "File9".
inline constexpr const char* RecentFileSection = "Recent File List";
inline constexpr int RecentFileCount = 9;

// Every value above, for tests and for listing the store.
extern const CSettingDef* const g_allSettings[];
extern const int g_nAllSettings;

} // namespace settings

int ReadSettingInt(const CSettingDef& def, CProfile& profile = AfxGetProfile());
std::string ReadSettingString(const CSettingDef& def, CProfile& profile = AfxGetProfile());
void WriteSettingInt(const CSettingDef& def, int value, CProfile& profile = AfxGetProfile());
void WriteSettingString(const CSettingDef& def, const std::string& value,
                        CProfile& profile = AfxGetProfile());

// The row height factor: a "LineHeight" that is not a number or lies outside
// 1 to 100 reads as 1.5.
double ReadLineHeightRate(CProfile& profile = AfxGetProfile());
// The factor as the settings command stores it ("%g").
std::string FormatLineHeightRate(double rate);

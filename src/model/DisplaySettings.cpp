#include "model/DisplaySettings.h"

#include "model/Settings.h"

void CDisplaySettings::SetColors(COLORREF waku, COLORREF line, COLORREF text, COLORREF check,
                                 COLORREF back, COLORREF checkBack, COLORREF sel, COLORREF selText,
                                 COLORREF cell) {
    WakuColor = waku;
    LineColor = line;
    TextColor = text;
    CheckColor = check;
    BackColor = back;
    CheckBackColor = checkBack;
    SelColor = sel;
    SelTextColor = selText;
    CellColor = cell;
    m_penWaku = CPen{waku};
    m_penLine = CPen{line};
    m_penCheck = CPen{check};
}

CFont ReadFontSetting(bool lineFont, CProfile& profile) {
    const settings::CFontSettingDefs& d = lineFont ? settings::LineFont : settings::ColumnFont;
    CFont f;
    f.m_strFaceName = ReadSettingString(d.FaceName, profile);
    f.m_nHeight = ReadSettingInt(d.Size, profile);
    f.m_nWeight = ReadSettingInt(d.Weight, profile);
    f.m_bItalic = static_cast<BYTE>(ReadSettingInt(d.Italic, profile));
    f.m_bUnderline = static_cast<BYTE>(ReadSettingInt(d.Underline, profile));
    f.m_nCharSet = static_cast<BYTE>(ReadSettingInt(d.CharSet, profile));
    f.m_nPitchAndFamily = 0x30;
    return f;
}

void WriteFontSetting(bool lineFont, const CFont& f, CProfile& profile) {
    const settings::CFontSettingDefs& d = lineFont ? settings::LineFont : settings::ColumnFont;
    WriteSettingString(d.FaceName, f.m_strFaceName, profile);
    WriteSettingInt(d.Size, f.m_nHeight, profile);
    WriteSettingInt(d.Weight, f.m_nWeight, profile);
    // Flags are stored as 0 or 1, whatever byte the description holds.
    WriteSettingInt(d.Italic, f.m_bItalic ? 1 : 0, profile);
    WriteSettingInt(d.Underline, f.m_bUnderline ? 1 : 0, profile);
    WriteSettingInt(d.CharSet, f.m_nCharSet, profile);
}

CDisplaySettings LoadDisplaySettings(CProfile& p) {
    using namespace settings;
    auto c = [&p](const CSettingDef& d) { return static_cast<COLORREF>(ReadSettingInt(d, p)); };
    CDisplaySettings look;
    look.SetColors(c(WakuColor), c(LineColor), c(TextColor), c(CheckColor), c(BackColor),
                   c(CheckBackColor), c(SelColor), c(SelTextColor), c(CellColor));
    look.m_fontLine = ReadFontSetting(true, p);
    look.m_fontColumn = ReadFontSetting(false, p);
    return look;
}

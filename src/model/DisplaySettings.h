#pragma once
// A sheet's look: colours, the pens made from them, the row and column fonts.
// Whoever draws a sheet hands it one (CSheetFile::SetLook); a sheet shares it
// with the copies it hands to drawing and never changes it in place.
#include "fw/ColorRef.h"
#include "fw/DC.h"
#include "fw/Profile.h"

struct CDisplaySettings {
    COLORREF WakuColor = 0xC0C0C0;
    COLORREF LineColor = 0xC0C0C0;
    COLORREF TextColor = 0x000000;
    COLORREF CheckColor = 0x000000;
    COLORREF BackColor = 0xFFFFFF;
    COLORREF CheckBackColor = 0xFFFFFF;
    COLORREF SelColor = 0xEED2C1;
    COLORREF SelTextColor = 0x000000;
    COLORREF CellColor = 0x800000;

    CPen m_penWaku{0xC0C0C0};
    CPen m_penLine{0xC0C0C0};
    CPen m_penCheck{0x000000};
    // The sunken check box's frame, outer dark to inner light.
    CPen m_penBox[4] = {{0x99A8AC}, {0x646F71}, {0xFFFFFF}, {0xE2EFF1}};

    CFont m_fontLine;
    CFont m_fontColumn;

    // Replace the colour variables and the three coloured pens.
    void SetColors(COLORREF waku, COLORREF line, COLORREF text, COLORREF check, COLORREF back,
                   COLORREF checkBack, COLORREF sel, COLORREF selText, COLORREF cell);
};

// The look the profile describes: its colours with their pens, and its fonts.
CDisplaySettings LoadDisplaySettings(CProfile& profile = AfxGetProfile());
// One of the two fonts as its section describes it.
CFont ReadFontSetting(bool lineFont, CProfile& profile = AfxGetProfile());
void WriteFontSetting(bool lineFont, const CFont& font, CProfile& profile = AfxGetProfile());

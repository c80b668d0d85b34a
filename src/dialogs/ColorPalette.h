#pragma once
// The colour buttons' shared palette: twenty colours, each slot with its
// recency rank (1 = used last, 20 = unused longest; always a permutation of
// 1 to 20). A colour chosen outside the palette replaces the slot unused
// longest, so the palette slowly fills with the user's own colours.
#include <array>

#include "fw/ColorRef.h"

class CColorPalette {
public:
    enum { SLOTS = 20 };

    // The twenty standard colours; the first replacements spread outwards
    // from the middle of the table (slot 10, then 9, 11, 8, ...).
    CColorPalette();

    COLORREF Color(int k) const { return m_colors[static_cast<std::size_t>(k)]; }
    int Rank(int k) const { return m_ranks[static_cast<std::size_t>(k)]; }

    // Slot k becomes the most recently used; slots used after it move back one.
    void Pick(int k);
    // The first slot holding color; without one, the least recently used
    // slot takes color. The slot is not picked.
    int Place(COLORREF color);

private:
    std::array<COLORREF, SLOTS> m_colors;
    std::array<BYTE, SLOTS> m_ranks;
};

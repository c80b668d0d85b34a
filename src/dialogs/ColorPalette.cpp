#include "dialogs/ColorPalette.h"

CColorPalette::CColorPalette()
    : m_colors{0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000,
               0xC0C0C0, 0xC0DCC0, 0xF0CAA6, 0xF0FBFF, 0xA4A0A0, 0x808080, 0x0000FF,
               0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF},
      m_ranks{1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 20, 18, 16, 14, 12, 10, 8, 6, 4, 2} {}

void CColorPalette::Pick(int k) {
    const BYTE rank = m_ranks[static_cast<std::size_t>(k)];
    for (BYTE& r : m_ranks)
        if (r < rank)
            ++r;
    m_ranks[static_cast<std::size_t>(k)] = 1;
}

int CColorPalette::Place(COLORREF color) {
    for (int k = 0; k < SLOTS; ++k)
        if (m_colors[static_cast<std::size_t>(k)] == color)
            return k;
    for (int k = 0; k < SLOTS; ++k)
        if (m_ranks[static_cast<std::size_t>(k)] == SLOTS) {
            m_colors[static_cast<std::size_t>(k)] = color;
            return k;
        }
    return 0; // unreachable while the ranks stay a permutation
}

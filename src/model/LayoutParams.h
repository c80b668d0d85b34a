#pragma once
// What places a row apart from its top: the grid's left and right edges, the
// row height, the first visible column and the two pixel widths. Each
// distinct set gets a small number that rows and slots keep instead of the
// whole set; numbers are never reused during a run.
#include <cstdint>

struct CLayoutParams {
    int nLeft = 0;
    int nRight = 0;
    int nLineHeight = 0;
    int nLeftColumn = 0;
    int nNameWidth = 0;   // the sheet's row-name column in pixels, clamped
    int nColumnWidth = 0; // the sheet's column in pixels, clamped
    friend bool operator==(const CLayoutParams&, const CLayoutParams&) = default;

    // The number of this set (1 or more).
    static std::uint32_t Intern(const CLayoutParams& p);
    static const CLayoutParams& Get(std::uint32_t id); // an empty set for unknown numbers

    // Bottom of a row whose top is t; left of cell j (j at or after the first
    // visible column).
    int Bottom(int t) const;
    int CellLeft(int j) const;
    int FirstColumn() const { return nLeftColumn < 0 ? 0 : nLeftColumn; }
};

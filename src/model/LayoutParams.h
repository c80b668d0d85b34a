#pragma once
// What places a row apart from its top: the grid's left and right edges, the
// row height, the first visible column and the two pixel widths. Each
// distinct set gets a small number that rows and slots keep instead of the
// whole set.
#include <cstdint>
#include <deque>
#include <mutex>
#include <unordered_map>

struct CLayoutParams {
    int nLeft = 0;
    int nRight = 0;
    int nLineHeight = 0;
    int nLeftColumn = 0;
    int nNameWidth = 0;   // the row-name column's width in pixels, clamped
    int nColumnWidth = 0; // one column's width in pixels, clamped
    friend bool operator==(const CLayoutParams&, const CLayoutParams&) = default;

    // Bottom of a row whose top is t; left of cell j (j at or after the first
    // visible column).
    int Bottom(int t) const;
    int CellLeft(int j) const;
    int FirstColumn() const { return nLeftColumn < 0 ? 0 : nLeftColumn; }
};

// The numbers of the sets one sheet and its copies have laid out with. The
// copies share it because they share rows, which remember their set by
// number. A number is never given to two different sets in one run, not even
// by two registries, so a row carried from one sheet into another is never
// taken as placed there. Copies live on other threads too: it locks.
class CLayoutRegistry {
public:
    // The number of this set (1 or more).
    std::uint32_t Intern(const CLayoutParams& p);
    // The set numbered id, an empty set for numbers this registry did not give.
    // The reference stays valid as long as the registry.
    const CLayoutParams& Get(std::uint32_t id) const;

private:
    struct Hash {
        std::size_t operator()(const CLayoutParams& p) const;
    };
    mutable std::mutex m_Lock;
    std::unordered_map<CLayoutParams, std::uint32_t, Hash> m_Ids;
    std::unordered_map<std::uint32_t, CLayoutParams> m_Sets; // nodes never move
};

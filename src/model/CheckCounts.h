#pragma once
// How many check cells a sheet, a row or a column has and how many of them
// are checked. Plain cells do not count.
#include <vector>

class CLineData;

struct CCheckTally {
    int nChecked = 0;
    int nTotal = 0;
    bool operator==(const CCheckTally&) const = default;
};

// Running totals for a whole sheet and for each column, kept by adding and
// taking away whole rows.
class CCheckCounts {
public:
    static CCheckTally OfLine(const CLineData& line);

    // sign +1 adds the row's cells, -1 takes them away again.
    void AddLine(const CLineData& line, int sign);
    void Reset();

    CCheckTally Sheet() const { return m_Sheet; }
    // The same totals (columns past the last cell of both count as empty).
    bool SameAs(const CCheckCounts& o) const;
    CCheckTally Column(int j) const;

private:
    CCheckTally m_Sheet;
    std::vector<CCheckTally> m_Columns;
};

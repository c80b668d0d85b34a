#include "model/CheckCounts.h"

#include <algorithm>
#include <cstddef>

#include "model/CheckItem.h"
#include "model/LineData.h"

CCheckTally CCheckCounts::OfLine(const CLineData& line) {
    CCheckTally t;
    for (const CDataItem* p : line)
        if (const CCheckItem* c = AsCheckItem(p)) {
            ++t.nTotal;
            t.nChecked += c->m_bCheck ? 1 : 0;
        }
    return t;
}

void CCheckCounts::AddLine(const CLineData& line, int sign) {
    const std::size_t n = static_cast<std::size_t>(line.GetSize());
    if (m_Columns.size() < n)
        m_Columns.resize(n);
    // The row's own totals go to the sheet's once.
    CCheckTally row;
    for (std::size_t j = 0; j < n; ++j)
        if (const CCheckItem* c = AsCheckItem(line.GetAt(static_cast<int>(j)))) {
            const int checked = c->m_bCheck ? sign : 0;
            m_Columns[j].nTotal += sign;
            m_Columns[j].nChecked += checked;
            row.nTotal += sign;
            row.nChecked += checked;
        }
    m_Sheet.nTotal += row.nTotal;
    m_Sheet.nChecked += row.nChecked;
}

void CCheckCounts::Reset() {
    m_Sheet = {};
    m_Columns.clear();
}

CCheckTally CCheckCounts::Column(int j) const {
    return j >= 0 && static_cast<std::size_t>(j) < m_Columns.size()
               ? m_Columns[static_cast<std::size_t>(j)]
               : CCheckTally{};
}

bool CCheckCounts::SameAs(const CCheckCounts& o) const {
    if (!(m_Sheet == o.m_Sheet))
        return false;
    const std::size_t n = std::max(m_Columns.size(), o.m_Columns.size());
    for (std::size_t j = 0; j < n; ++j)
        if (!(Column(static_cast<int>(j)) == o.Column(static_cast<int>(j))))
            return false;
    return true;
}

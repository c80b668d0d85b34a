#pragma once
// Rows that left the laid-out range together keep their places as one run:
// the rows [nFirst, nEnd) follow the layout they left, one row height apart.
// A jump from the top of a long sheet to its end then costs what a page does,
// where writing each row's slot would cost a walk over every row passed.
//
// A run holds what the rows' slots would hold, and is read before them: a
// slot written later (a row frozen again, moved, or changed while outside the
// range) first takes its row out of the runs. Copies share the runs and copy
// them on their first change.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/LayoutParams.h"

struct CFrozenRun {
    int nFirst = 0;
    int nEnd = 0;
    std::uint32_t nId = 0; // the layout's number
    CLayoutParams params;
    std::int64_t nTop = 0; // top pixel of row nFirst
    int Top(int i) const;
};

class CFrozenRuns {
public:
    bool IsEmpty() const { return !m_p || m_p->empty(); }
    // The run holding row i, or null.
    const CFrozenRun* Find(int i) const;
    // Visits, in order, the parts of runs inside rows [from, to) as runs.
    template <class F> void ForEachIn(int from, int to, F f) const {
        if (!m_p)
            return;
        for (const CFrozenRun& r : *m_p) {
            if (r.nEnd <= from || r.nFirst >= to)
                continue;
            CFrozenRun part = r;
            part.nFirst = std::max(r.nFirst, from);
            part.nEnd = std::min(r.nEnd, to);
            part.nTop = r.nTop + (std::int64_t(part.nFirst) - r.nFirst) * r.params.nLineHeight;
            f(part);
        }
    }
    // The rows of r leave the range now; older runs give those rows up.
    void Add(const CFrozenRun& r);
    // Rows [from, to) are no longer in any run.
    void Cut(int from, int to);
    // A row was inserted before row i (n = 1) or row i was removed (n = -1):
    // the runs follow their rows, and row i of an insertion is in none.
    void Shift(int i, int n);
    void Clear() { m_p.reset(); }

private:
    std::vector<CFrozenRun>& Own();
    std::shared_ptr<std::vector<CFrozenRun>> m_p; // sorted, disjoint, none empty
};

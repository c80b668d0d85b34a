#include "model/FrozenRuns.h"

#include <algorithm>

#include "model/PixelMath.h"

int CFrozenRun::Top(int i) const {
    return ClampCoord(nTop + (std::int64_t(i) - nFirst) * params.nLineHeight);
}

const CFrozenRun* CFrozenRuns::Find(int i) const {
    if (!m_p)
        return nullptr;
    const auto it = std::upper_bound(m_p->begin(), m_p->end(), i,
                                     [](int v, const CFrozenRun& r) { return v < r.nEnd; });
    return it != m_p->end() && it->nFirst <= i ? &*it : nullptr;
}

std::vector<CFrozenRun>& CFrozenRuns::Own() {
    // A copy may be read on another thread: a shared vector is never written.
    if (!m_p)
        m_p = std::make_shared<std::vector<CFrozenRun>>();
    else if (m_p.use_count() > 1)
        m_p = std::make_shared<std::vector<CFrozenRun>>(*m_p);
    return *m_p;
}

void CFrozenRuns::Cut(int from, int to) {
    if (from >= to || !m_p)
        return;
    const auto first = std::upper_bound(m_p->begin(), m_p->end(), from,
                                        [](int v, const CFrozenRun& r) { return v < r.nEnd; });
    if (first == m_p->end() || first->nFirst >= to)
        return; // frozen one by one, rows mostly are in no run

    std::vector<CFrozenRun>& v = Own();
    std::vector<CFrozenRun> out;
    out.reserve(v.size() + 1);
    for (const CFrozenRun& r : v) {
        if (r.nEnd <= from || r.nFirst >= to) {
            out.push_back(r);
            continue;
        }
        if (r.nFirst < from) {
            CFrozenRun head = r;
            head.nEnd = from;
            out.push_back(head);
        }
        if (r.nEnd > to) {
            CFrozenRun tail = r;
            tail.nFirst = to;
            tail.nTop = r.nTop + (std::int64_t(to) - r.nFirst) * r.params.nLineHeight;
            out.push_back(tail);
        }
    }
    v.swap(out);
}

void CFrozenRuns::Add(const CFrozenRun& r) {
    if (r.nFirst >= r.nEnd)
        return;
    Cut(r.nFirst, r.nEnd);
    std::vector<CFrozenRun>& v = Own();
    const auto at = std::lower_bound(v.begin(), v.end(), r.nFirst,
                                     [](const CFrozenRun& x, int i) { return x.nFirst < i; });
    v.insert(at, r);
}

void CFrozenRuns::Shift(int i, int n) {
    if (!m_p || m_p->empty() || m_p->back().nEnd <= i)
        return;
    if (n < 0)
        Cut(i, i + 1); // the removed row's place goes with it
    std::vector<CFrozenRun>& v = Own();
    std::vector<CFrozenRun> out;
    out.reserve(v.size() + 1);
    for (const CFrozenRun& r : v) {
        if (r.nEnd <= i) {
            out.push_back(r);
            continue;
        }
        if (r.nFirst < i) { // an insertion inside the run splits it
            CFrozenRun head = r;
            head.nEnd = i;
            out.push_back(head);
            CFrozenRun tail = r;
            tail.nFirst = i + n;
            tail.nEnd = r.nEnd + n;
            tail.nTop = r.nTop + (std::int64_t(i) - r.nFirst) * r.params.nLineHeight;
            out.push_back(tail);
            continue;
        }
        CFrozenRun moved = r;
        moved.nFirst += n;
        moved.nEnd += n;
        out.push_back(moved);
    }
    v.swap(out);
}

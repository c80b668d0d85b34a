#include "model/RowFilter.h"

#include <utility>

void CRowFilter::Reset(int n) {
    m_bits.assign(n, 0);
    m_tree.assign(n + 1, 0);
    m_nCount = 0;
    m_nTop = 1;
    while (m_nTop * 2 <= n)
        m_nTop *= 2;
}

void CRowFilter::Set(int i, bool open) {
    if ((m_bits[i] != 0) == open)
        return;
    m_bits[i] = open;
    const int d = open ? 1 : -1;
    m_nCount += d;
    for (int k = i + 1; k < static_cast<int>(m_tree.size()); k += k & -k)
        m_tree[k] += d;
}

int CRowFilter::Rank(int i) const {
    int sum = 0;
    for (int k = i; k > 0; k -= k & -k)
        sum += m_tree[k];
    return sum;
}

int CRowFilter::Select(int k) const {
    // Descends from the largest power of two: pos ends on the last row
    // (1-based) whose prefix holds at most k open rows.
    int pos = 0;
    for (int step = m_nTop; step > 0; step /= 2)
        if (pos + step < static_cast<int>(m_tree.size()) && m_tree[pos + step] <= k) {
            pos += step;
            k -= m_tree[pos];
        }
    return pos; // 0-based index of the (k+1)-th open row
}

void CRowFilter::Assign(std::vector<std::uint8_t> bits) {
    Reset(0);
    m_bits = std::move(bits);
    m_tree.assign(m_bits.size() + 1, 0);
    while (m_nTop * 2 <= Size())
        m_nTop *= 2;
    BuildTree();
}

void CRowFilter::BuildTree() {
    const int n = Size();
    m_nCount = 0;
    for (int k = 1; k <= n; ++k) {
        m_bits[k - 1] = m_bits[k - 1] ? 1 : 0;
        m_tree[k] += m_bits[k - 1];
        m_nCount += m_bits[k - 1];
        if (const int up = k + (k & -k); up <= n)
            m_tree[up] += m_tree[k];
    }
}

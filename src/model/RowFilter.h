#pragma once
// Which rows are open (hold an unchecked check cell), with their ranks: a
// Fenwick tree over one bit per row, so that a row's place among the open
// rows, the open row at a place, and a change of one row each cost log n.
// Five bytes per row.
#include <cstdint>
#include <vector>

class CRowFilter {
public:
    // Every row closed; n rows.
    void Reset(int n);
    // One row per element, open where it is not 0; in linear time.
    void Assign(std::vector<std::uint8_t> bits);
    int Size() const { return static_cast<int>(m_bits.size()); }
    bool IsOpen(int i) const { return m_bits[i] != 0; }
    void Set(int i, bool open);
    // Open rows in all.
    int Count() const { return m_nCount; }
    // Open rows before row i (0 <= i <= Size()).
    int Rank(int i) const;
    // The k-th open row (0 <= k < Count()).
    int Select(int k) const;
    std::size_t Bytes() const { return m_bits.capacity() + m_tree.capacity() * sizeof(int); }

private:
    void BuildTree();

    std::vector<std::uint8_t> m_bits;
    std::vector<int> m_tree; // 1-based Fenwick sums of m_bits
    int m_nCount = 0;
    int m_nTop = 1; // the highest power of two <= Size()
};

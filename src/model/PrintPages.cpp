#include "model/PrintPages.h"

#include <algorithm>
#include <cstdint>

namespace {

// How many cells of size cell fit in room (at least one), with the closing
// line one pixel beyond the last.
int CellsPerBand(std::int64_t room, int cell) {
    if (cell <= 0)
        return 1 << 30;
    return static_cast<int>(std::clamp<std::int64_t>((room - 1) / cell, 1, 1 << 30));
}

// [first, end) bands of n cells, each band holding per cells.
std::vector<std::pair<int, int>> Bands(int n, int per) {
    std::vector<std::pair<int, int>> bands;
    for (int first = 0; first < n; first += std::min(per, n - first))
        bands.emplace_back(first, first + std::min(per, n - first));
    if (bands.empty())
        bands.emplace_back(0, 0);
    return bands;
}

int Extent(int fixed, int count, int cell) {
    const std::int64_t v = std::int64_t(fixed) + std::int64_t(count) * std::max(cell, 0) + 1;
    return static_cast<int>(std::min<std::int64_t>(v, INT32_MAX));
}

} // namespace

std::vector<CPrintPage> PaginateSheet(const CPrintMetrics& m, int areaWidth, int areaHeight) {
    const int nCols = std::max(m.nColumns, 0);
    const int nLines = std::max(m.nLines, 0);
    const int colsPer =
        CellsPerBand(std::int64_t(areaWidth) - std::max(m.nNameWidth, 0), m.nColumnWidth);
    const int linesPer =
        CellsPerBand(std::int64_t(areaHeight) - std::max(m.nHeadHeight, 0), m.nLineHeight);
    std::vector<CPrintPage> pages;
    for (const auto& [c0, c1] : Bands(nCols, colsPer))
        for (const auto& [l0, l1] : Bands(nLines, linesPer)) {
            CPrintPage p;
            p.nFirstLine = l0;
            p.nEndLine = l1;
            p.nFirstColumn = c0;
            p.nEndColumn = c1;
            p.nWidth = Extent(m.nNameWidth, c1 - c0, m.nColumnWidth);
            p.nHeight = Extent(m.nHeadHeight, l1 - l0, m.nLineHeight);
            pages.push_back(p);
        }
    return pages;
}

#include "model/LayoutParams.h"

#include <atomic>

#include "model/PixelMath.h"

std::size_t CLayoutRegistry::Hash::operator()(const CLayoutParams& p) const {
    std::uint64_t h = 1469598103934665603ull;
    for (int v : {p.nLeft, p.nRight, p.nLineHeight, p.nLeftColumn, p.nNameWidth, p.nColumnWidth})
        h = (h ^ static_cast<std::uint32_t>(v)) * 1099511628211ull;
    return static_cast<std::size_t>(h);
}

std::uint32_t CLayoutRegistry::Intern(const CLayoutParams& p) {
    // Numbers come from one counter for every registry: equal numbers then
    // mean equal sets wherever a row goes.
    static std::atomic<std::uint32_t> s_nNext{1};
    std::lock_guard<std::mutex> lock(m_Lock);
    const auto it = m_Ids.find(p);
    if (it != m_Ids.end())
        return it->second;
    const std::uint32_t id = s_nNext.fetch_add(1, std::memory_order_relaxed);
    m_Ids.emplace(p, id);
    m_Sets.emplace(id, p);
    return id;
}

const CLayoutParams& CLayoutRegistry::Get(std::uint32_t id) const {
    static const CLayoutParams none;
    std::lock_guard<std::mutex> lock(m_Lock);
    const auto it = m_Sets.find(id);
    return it != m_Sets.end() ? it->second : none;
}

int CLayoutParams::Bottom(int t) const {
    return ClampCoord(std::int64_t(t) + nLineHeight);
}

int CLayoutParams::CellLeft(int j) const {
    return ClampCoord(std::int64_t(nLeft) + nNameWidth +
                      (std::int64_t(j) - FirstColumn()) * nColumnWidth);
}

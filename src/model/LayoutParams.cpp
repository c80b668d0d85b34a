#include "model/LayoutParams.h"

#include <deque>
#include <unordered_map>

#include "model/PixelMath.h"

namespace {
struct Hash {
    std::size_t operator()(const CLayoutParams& p) const {
        std::uint64_t h = 1469598103934665603ull;
        for (int v :
             {p.nLeft, p.nRight, p.nLineHeight, p.nLeftColumn, p.nNameWidth, p.nColumnWidth})
            h = (h ^ static_cast<std::uint32_t>(v)) * 1099511628211ull;
        return static_cast<std::size_t>(h);
    }
};
struct Registry {
    std::deque<CLayoutParams> all; // stable addresses
    std::unordered_map<CLayoutParams, std::uint32_t, Hash> ids;
};
Registry& TheRegistry() {
    static Registry r;
    return r;
}
} // namespace

std::uint32_t CLayoutParams::Intern(const CLayoutParams& p) {
    Registry& r = TheRegistry();
    const auto it = r.ids.find(p);
    if (it != r.ids.end())
        return it->second;
    r.all.push_back(p);
    const auto id = static_cast<std::uint32_t>(r.all.size());
    r.ids.emplace(p, id);
    return id;
}

const CLayoutParams& CLayoutParams::Get(std::uint32_t id) {
    static const CLayoutParams none;
    Registry& r = TheRegistry();
    return id >= 1 && id <= r.all.size() ? r.all[id - 1] : none;
}

int CLayoutParams::Bottom(int t) const {
    return ClampCoord(std::int64_t(t) + nLineHeight);
}

int CLayoutParams::CellLeft(int j) const {
    return ClampCoord(std::int64_t(nLeft) + nNameWidth +
                      (std::int64_t(j) - FirstColumn()) * nColumnWidth);
}

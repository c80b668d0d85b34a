#include "model/LineList.h"

#include <algorithm>

#include "model/LineData.h"

CLineList::~CLineList() {
    RemoveAll();
}

void CLineList::AddRef(CLineData* p) {
    ++p->m_nRefs;
}

void CLineList::Unref(CLineData* p) {
    if (--p->m_nRefs == 0)
        delete p;
}

void CLineList::UnrefChunk(Chunk* c) {
    if (--c->nRefs > 0)
        return;
    for (const CLineSlot& s : c->items)
        Unref(s.pLine);
    delete c;
}

std::size_t CLineList::ChunkOf(int i) const {
    const auto it = std::upper_bound(m_starts.begin(), m_starts.end(), i);
    return static_cast<std::size_t>(it - m_starts.begin()) - 1;
}

CLineList::Chunk* CLineList::MutableChunk(std::size_t k) {
    Chunk* c = m_chunks[k];
    if (c->nRefs == 1)
        return c;
    auto* copy = new Chunk;
    copy->items = c->items;
    for (const CLineSlot& s : copy->items)
        AddRef(s.pLine);
    --c->nRefs;
    m_chunks[k] = copy;
    return copy;
}

const CLineSlot& CLineList::Slot(int i) const {
    const std::size_t k = ChunkOf(i);
    return m_chunks[k]->items[static_cast<std::size_t>(i - m_starts[k])];
}

CLineSlot& CLineList::MutableSlot(int i) {
    const std::size_t k = ChunkOf(i);
    return MutableChunk(k)->items[static_cast<std::size_t>(i - m_starts[k])];
}

bool CLineList::IsShared(int i) const {
    const std::size_t k = ChunkOf(i);
    return m_chunks[k]->nRefs > 1 ||
           m_chunks[k]->items[static_cast<std::size_t>(i - m_starts[k])].pLine->m_nRefs > 1;
}

CLineData* CLineList::MutableLine(int i) {
    CLineSlot& s = MutableSlot(i);
    if (s.pLine->m_nRefs > 1) {
        auto* copy = new CLineData(*s.pLine);
        copy->m_nRefs = 1;
        Unref(s.pLine);
        s.pLine = copy;
    }
    return s.pLine;
}

void CLineList::Shift(std::size_t fromChunk, int delta) {
    for (std::size_t k = fromChunk; k < m_starts.size(); ++k)
        m_starts[k] += delta;
}

void CLineList::Insert(int i, CLineData* pLine) {
    ++m_nVersion;
    AddRef(pLine);
    CLineSlot slot;
    slot.pLine = pLine;
    // A row placed before keeps that place; one whose cells changed since
    // keeps its own rectangles (0).
    if (pLine->IsPlacementKnown()) {
        slot.nPlace = pLine->PlacedId();
        slot.nTop = pLine->PlacedTop();
    }
    if (m_chunks.empty()) {
        auto* c = new Chunk;
        c->items.reserve(kChunk);
        c->items.push_back(slot);
        m_chunks.push_back(c);
        m_starts.push_back(0);
        m_nSize = 1;
        return;
    }
    std::size_t k = i >= m_nSize ? m_chunks.size() - 1 : ChunkOf(i);
    int off = i - m_starts[k];
    Chunk* c = MutableChunk(k);
    if (static_cast<int>(c->items.size()) >= kChunk) {
        auto* next = new Chunk;
        if (off == kChunk) {
            // Appending after a full chunk starts a new one, so rows added at
            // the end fill their chunks completely.
            next->items.reserve(kChunk);
        } else {
            const auto half = c->items.begin() + kChunk / 2;
            next->items.reserve(kChunk);
            next->items.assign(half, c->items.end());
            c->items.erase(half, c->items.end());
        }
        m_chunks.insert(m_chunks.begin() + static_cast<std::ptrdiff_t>(k) + 1, next);
        m_starts.insert(m_starts.begin() + static_cast<std::ptrdiff_t>(k) + 1,
                        m_starts[k] + static_cast<int>(c->items.size()));
        if (off >= static_cast<int>(c->items.size())) {
            off -= static_cast<int>(c->items.size());
            ++k;
            c = next;
        }
    }
    c->items.insert(c->items.begin() + off, slot);
    Shift(k + 1, 1);
    ++m_nSize;
}

CLineData* CLineList::Release(int i) {
    ++m_nVersion;
    CLineData* p = MutableLine(i);
    const std::size_t k = ChunkOf(i);
    Chunk* c = m_chunks[k]; // already owned alone
    c->items.erase(c->items.begin() + (i - m_starts[k]));
    p->m_nRefs = 0;
    if (c->items.empty()) {
        delete c;
        m_chunks.erase(m_chunks.begin() + static_cast<std::ptrdiff_t>(k));
        m_starts.erase(m_starts.begin() + static_cast<std::ptrdiff_t>(k));
        Shift(k, -1);
    } else {
        Shift(k + 1, -1);
    }
    --m_nSize;
    return p;
}

void CLineList::Erase(int i) {
    ++m_nVersion;
    const std::size_t k = ChunkOf(i);
    Chunk* c = MutableChunk(k);
    const auto it = c->items.begin() + (i - m_starts[k]);
    Unref(it->pLine);
    c->items.erase(it);
    if (c->items.empty()) {
        delete c;
        m_chunks.erase(m_chunks.begin() + static_cast<std::ptrdiff_t>(k));
        m_starts.erase(m_starts.begin() + static_cast<std::ptrdiff_t>(k));
        Shift(k, -1);
    } else {
        Shift(k + 1, -1);
    }
    --m_nSize;
}

void CLineList::Swap(int a, int b) {
    ++m_nVersion;
    if (a == b)
        return;
    CLineSlot& sa = MutableSlot(a);
    CLineSlot& sb = MutableSlot(b); // a second chunk copy never moves sa
    std::swap(sa, sb);
}

void CLineList::RemoveAll() {
    ++m_nVersion;
    for (Chunk* c : m_chunks)
        UnrefChunk(c);
    m_chunks.clear();
    m_starts.clear();
    m_nSize = 0;
}

void CLineList::ShareFrom(const CLineList& src) {
    if (&src == this)
        return;
    for (Chunk* c : src.m_chunks)
        ++c->nRefs;
    RemoveAll();
    m_chunks = src.m_chunks;
    m_starts = src.m_starts;
    m_nSize = src.m_nSize;
}

#include "model/ColumnList.h"

#include <utility>

namespace {
const std::vector<CColumnData*> kNone;
}

void CColumnList::Unref(CColumnData* p) {
    if (--p->m_nRefs == 0)
        delete p;
}

const std::vector<CColumnData*>& CColumnList::Items() const {
    return m_pTable ? m_pTable->items : kNone;
}

std::vector<CColumnData*>& CColumnList::OwnItems() {
    if (!m_pTable) {
        m_pTable = new Table;
    } else if (m_pTable->nRefs > 1) {
        auto* copy = new Table;
        copy->items = m_pTable->items;
        for (CColumnData* p : copy->items)
            ++p->m_nRefs;
        --m_pTable->nRefs;
        m_pTable = copy;
    }
    return m_pTable->items;
}

CColumnData* CColumnList::OwnColumn(std::size_t i) {
    CColumnData*& p = OwnItems()[i];
    if (p->m_nRefs > 1) {
        auto* copy = new CColumnData(*p);
        copy->m_nRefs = 1;
        Unref(p);
        p = copy;
    }
    return p;
}

int CColumnList::Add(std::unique_ptr<CColumnData> p) {
    InsertAt(GetSize(), std::move(p));
    return GetSize() - 1;
}

void CColumnList::InsertAt(int i, std::unique_ptr<CColumnData> p) {
    ++m_nVersion;
    std::vector<CColumnData*>& items = OwnItems();
    p->m_nRefs = 1;
    items.insert(items.begin() + i, p.release());
}

void CColumnList::RemoveAt(int i) {
    ++m_nVersion;
    std::vector<CColumnData*>& items = OwnItems();
    Unref(items[static_cast<std::size_t>(i)]);
    items.erase(items.begin() + i);
}

std::unique_ptr<CColumnData> CColumnList::ReleaseAt(int i) {
    ++m_nVersion;
    CColumnData* p = OwnColumn(static_cast<std::size_t>(i));
    std::vector<CColumnData*>& items = m_pTable->items;
    items.erase(items.begin() + i);
    p->m_nRefs = 0;
    return std::unique_ptr<CColumnData>(p);
}

void CColumnList::Swap(int a, int b) {
    ++m_nVersion;
    std::vector<CColumnData*>& items = OwnItems();
    std::swap(items[static_cast<std::size_t>(a)], items[static_cast<std::size_t>(b)]);
}

void CColumnList::RemoveAll() {
    ++m_nVersion;
    if (m_pTable && --m_pTable->nRefs == 0) {
        for (CColumnData* p : m_pTable->items)
            Unref(p);
        delete m_pTable;
    }
    m_pTable = nullptr;
}

void CColumnList::Reserve(std::size_t n) {
    OwnItems().reserve(n);
}

void CColumnList::ShareFrom(const CColumnList& src) {
    if (&src == this)
        return;
    if (src.m_pTable)
        ++src.m_pTable->nRefs;
    RemoveAll();
    m_pTable = src.m_pTable;
}

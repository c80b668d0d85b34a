#pragma once
// The columns of a sheet, shared between copies as the rows are: an undo
// snapshot shares the column table and every column, and a sheet copies the
// table, and a column, only when it hands that column out for writing.
//
// A column handed out for writing may be written until the next copy from
// this list: that copy then takes columns of its own (see ShareFrom). Read
// through a const list wherever nothing is written, so snapshots stay cheap.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/ColumnData.h"

class CColumnList {
public:
    CColumnList() = default;
    ~CColumnList() { RemoveAll(); }
    CColumnList(const CColumnList&) = delete;
    CColumnList& operator=(const CColumnList&) = delete;

    int GetSize() const { return m_pTable ? static_cast<int>(m_pTable->items.size()) : 0; }
    bool IsEmpty() const { return GetSize() == 0; }
    const CColumnData* GetAt(int i) const { return m_pTable->items[static_cast<std::size_t>(i)]; }
    const CColumnData* operator[](int i) const { return GetAt(i); }
    // The column owned by this list alone, handed out for writing.
    CColumnData* GetAt(int i);
    CColumnData* operator[](int i) { return GetAt(i); }
    // The same for a change made at once, through no pointer kept: it does
    // not count as handed out.
    CColumnData* Modify(int i) { return OwnColumn(static_cast<std::size_t>(i)); }

    // Takes ownership of p.
    int Add(CColumnData* p);
    void InsertAt(int i, CColumnData* p);
    void RemoveAt(int i);
    std::unique_ptr<CColumnData> ReleaseAt(int i);
    void Swap(int a, int b);
    void RemoveAll();
    void Reserve(std::size_t n);
    // Changes whenever a column is added, removed or moved.
    std::uint64_t GetVersion() const { return m_nVersion; }

    // Becomes a copy of src that shares src's columns, except when src handed
    // columns out for writing since its last copy: they may still be written,
    // so this copy then gets columns of its own.
    void ShareFrom(const CColumnList& src);

    template <class T> class Iterator {
    public:
        using Base = std::vector<CColumnData*>::const_iterator;
        explicit Iterator(Base it) : m_it(it) {}
        T* operator*() const { return *m_it; }
        Iterator& operator++() {
            ++m_it;
            return *this;
        }
        bool operator==(const Iterator& o) const { return m_it == o.m_it; }
        bool operator!=(const Iterator& o) const { return m_it != o.m_it; }

    private:
        Base m_it;
    };
    using const_iterator = Iterator<const CColumnData>;
    using iterator = Iterator<CColumnData>;
    const_iterator begin() const { return const_iterator(Items().begin()); }
    const_iterator end() const { return const_iterator(Items().end()); }
    // Walking the columns for writing hands every column out.
    iterator begin();
    iterator end() { return iterator(Items().end()); }

private:
    struct Table {
        int nRefs = 1;
        std::vector<CColumnData*> items;
    };
    static void Unref(CColumnData* p);
    const std::vector<CColumnData*>& Items() const;
    // The table, owned by this list alone.
    std::vector<CColumnData*>& OwnItems();
    CColumnData* OwnColumn(std::size_t i);

    Table* m_pTable = nullptr;
    std::uint64_t m_nVersion = 0;
    mutable bool m_bHandedOut = false;
};

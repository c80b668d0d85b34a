#pragma once
// The columns of a sheet, shared between copies as the rows are: an undo
// snapshot shares the column table and every column, and a list copies the
// table, and a column, only when that column is changed. Columns are read
// through const pointers; the one way to change one is Edit, which copies a
// shared column first and hands out no pointer that could outlive the change.
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
    // Changes column i through f(CColumnData&), on a column this list owns alone.
    template <class F> decltype(auto) Edit(int i, F&& f) {
        return f(*OwnColumn(static_cast<std::size_t>(i)));
    }

    int Add(std::unique_ptr<CColumnData> p);
    void InsertAt(int i, std::unique_ptr<CColumnData> p);
    void RemoveAt(int i);
    std::unique_ptr<CColumnData> ReleaseAt(int i);
    void Swap(int a, int b);
    void RemoveAll();
    void Reserve(std::size_t n);
    // Changes whenever a column is added, removed or moved.
    std::uint64_t GetVersion() const { return m_nVersion; }

    // Becomes a copy of src that shares all of it.
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
    const_iterator begin() const { return const_iterator(Items().begin()); }
    const_iterator end() const { return const_iterator(Items().end()); }

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
};

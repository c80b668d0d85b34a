#pragma once
// An array that owns its elements, with the access the model code uses.
// Removing an element deletes it unless it is released first.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

template <class T> class CTypedPtrArray {
public:
    CTypedPtrArray() = default;
    CTypedPtrArray(const CTypedPtrArray&) = delete;
    CTypedPtrArray& operator=(const CTypedPtrArray&) = delete;
    CTypedPtrArray(CTypedPtrArray&&) noexcept = default;
    CTypedPtrArray& operator=(CTypedPtrArray&&) noexcept = default;

    int GetSize() const { return static_cast<int>(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }
    // Constness passes to the elements: a row read through const gives cells
    // that cannot be written.
    const T* GetAt(int i) const { return m_items[static_cast<std::size_t>(i)].get(); }
    T* GetAt(int i) { return m_items[static_cast<std::size_t>(i)].get(); }
    const T* operator[](int i) const { return GetAt(i); }
    T* operator[](int i) { return GetAt(i); }

    int Add(T* p) {
        ++m_nVersion;
        m_items.emplace_back(p);
        return GetSize() - 1;
    }
    void InsertAt(int i, T* p) {
        ++m_nVersion;
        m_items.emplace(m_items.begin() + i, p);
    }
    void RemoveAt(int i) {
        ++m_nVersion;
        m_items.erase(m_items.begin() + i);
    }
    std::unique_ptr<T> ReleaseAt(int i) {
        ++m_nVersion;
        std::unique_ptr<T> p = std::move(m_items[static_cast<std::size_t>(i)]);
        m_items.erase(m_items.begin() + i);
        return p;
    }
    void Swap(int a, int b) {
        ++m_nVersion;
        std::swap(m_items[static_cast<std::size_t>(a)], m_items[static_cast<std::size_t>(b)]);
    }
    void RemoveAll() {
        ++m_nVersion;
        m_items.clear();
    }
    // Changes whenever an element is added, removed or moved, so a cached
    // index can tell that it may be stale.
    std::uint64_t GetVersion() const { return m_nVersion; }
    void Reserve(std::size_t n) { m_items.reserve(n); }

    // Iterates over the elements as plain pointers, const through a const array.
    template <class P> class Iterator {
    public:
        using Base = typename std::vector<std::unique_ptr<T>>::const_iterator;
        explicit Iterator(Base it) : m_it(it) {}
        P* operator*() const { return m_it->get(); }
        Iterator& operator++() {
            ++m_it;
            return *this;
        }
        bool operator!=(const Iterator& o) const { return m_it != o.m_it; }
        bool operator==(const Iterator& o) const { return m_it == o.m_it; }

    private:
        Base m_it;
    };
    using const_iterator = Iterator<const T>;
    using iterator = Iterator<T>;
    const_iterator begin() const { return const_iterator(m_items.begin()); }
    const_iterator end() const { return const_iterator(m_items.end()); }
    iterator begin() { return iterator(m_items.cbegin()); }
    iterator end() { return iterator(m_items.cend()); }

private:
    std::vector<std::unique_ptr<T>> m_items;
    std::uint64_t m_nVersion = 0;
};

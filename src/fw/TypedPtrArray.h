#pragma once
// An array that owns its elements, with the access the model code uses.
// Removing an element deletes it unless it is released first.
#include <cstddef>
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
    T* GetAt(int i) const { return m_items[static_cast<std::size_t>(i)].get(); }
    T* operator[](int i) const { return GetAt(i); }

    int Add(T* p) {
        m_items.emplace_back(p);
        return GetSize() - 1;
    }
    void InsertAt(int i, T* p) { m_items.emplace(m_items.begin() + i, p); }
    void RemoveAt(int i) { m_items.erase(m_items.begin() + i); }
    std::unique_ptr<T> ReleaseAt(int i) {
        std::unique_ptr<T> p = std::move(m_items[static_cast<std::size_t>(i)]);
        m_items.erase(m_items.begin() + i);
        return p;
    }
    void Swap(int a, int b) { std::swap(m_items[static_cast<std::size_t>(a)], m_items[static_cast<std::size_t>(b)]); }
    void RemoveAll() { m_items.clear(); }
    void Reserve(std::size_t n) { m_items.reserve(n); }

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::vector<std::unique_ptr<T>> m_items;
};

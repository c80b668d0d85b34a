#pragma once
// The rows of a sheet, held so that a copy is cheap: rows sit in chunks of
// up to kChunk slots, and both the chunks and the rows are shared between
// copies (an undo snapshot shares every row the edit did not touch). A chunk
// or a row is copied only when a sheet that shares it is about to change it
// (copy on write). Each slot also keeps where its row was last placed when
// the row lies outside the sheet's laid-out range (see CSheetFile::Layout).
//
// Reference counts are plain ints: a sheet and its snapshots live on one thread.
#include <cstddef>
#include <cstdint>
#include <vector>

class CLineData;

struct CLineSlot {
    CLineData* pLine = nullptr;
    int nTop = 0;             // top pixel of the row when nPlace is not 0
    std::uint32_t nPlace = 0; // layout parameters it was placed with; 0: the row's own rectangles
};

class CLineList {
public:
    static constexpr int kChunk = 256;

    CLineList() = default;
    ~CLineList();
    CLineList(const CLineList&) = delete;
    CLineList& operator=(const CLineList&) = delete;

    int GetSize() const { return m_nSize; }
    bool IsEmpty() const { return m_nSize == 0; }
    // Changes whenever a row is added, removed or moved.
    std::uint64_t GetVersion() const { return m_nVersion; }

    const CLineSlot& Slot(int i) const;
    // The slot of a chunk this list owns alone.
    CLineSlot& MutableSlot(int i);
    // The row at i, owned by this list alone (copied first when it is shared).
    CLineData* MutableLine(int i);
    bool IsShared(int i) const;

    // Takes ownership of pLine; the slot keeps where the row was placed.
    void Insert(int i, CLineData* pLine);
    void Erase(int i);
    // Removes the row and hands it over, owned by the caller alone.
    CLineData* Release(int i);
    void Swap(int a, int b);
    void RemoveAll();
    // Becomes a copy of src that shares all its chunks.
    void ShareFrom(const CLineList& src);

    // Walks the slots in order without looking them up one by one.
    template <class F> void ForEach(int from, int to, F f) const {
        if (from >= to)
            return;
        std::size_t k = ChunkOf(from);
        int i = from;
        while (i < to) {
            const Chunk* c = m_chunks[k];
            const int start = m_starts[k];
            const int end = start + static_cast<int>(c->items.size());
            for (; i < end && i < to; ++i)
                if (!f(i, c->items[static_cast<std::size_t>(i - start)]))
                    return;
            ++k;
        }
    }

    static void AddRef(CLineData* p);
    static void Unref(CLineData* p);

private:
    struct Chunk {
        int nRefs = 1;
        std::vector<CLineSlot> items;
    };
    std::size_t ChunkOf(int i) const;
    Chunk* MutableChunk(std::size_t k);
    static void UnrefChunk(Chunk* c);
    void Shift(std::size_t fromChunk, int delta);

    std::vector<Chunk*> m_chunks;
    std::vector<int> m_starts; // index of the first row of each chunk
    int m_nSize = 0;
    std::uint64_t m_nVersion = 0;
};

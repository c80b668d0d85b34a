#pragma once
// The rows of a sheet, held so that a copy is cheap: the rows sit in the
// leaves of a shallow tree whose nodes count the rows below them. Copies share
// the tree; a sheet about to change a part that is shared copies only the
// nodes on the way to it and the leaf (copy on write), so an undo snapshot
// costs the same on ten rows as on a hundred thousand. Rows themselves are
// shared too and copied only when they are written. Each slot also keeps where
// its row was last placed when the row lies outside the sheet's laid-out range
// (see CSheetFile::Layout).
//
// Reference counts are plain ints: a sheet and its snapshots are made, changed
// and freed on one thread. (The recovery copy is written on another thread,
// which only reads it; it is freed on the thread that made it.)
#include <algorithm>
#include <cstdint>

class CLineData;

struct CLineSlot {
    // Read only: a row may be shared; MutableLine gives the list's own copy.
    const CLineData* pLine = nullptr;
    int nTop = 0;             // top pixel of the row when nPlace is not 0
    std::uint32_t nPlace = 0; // layout parameters it was placed with; 0: the row's own rectangles
};

class CLineList {
public:
    // Small nodes keep the copy of a shared path short.
    static constexpr int kLeaf = 8; // rows per leaf
    static constexpr int kFan = 16; // children per inner node

    CLineList() = default;
    ~CLineList();
    CLineList(const CLineList&) = delete;
    CLineList& operator=(const CLineList&) = delete;

    int GetSize() const { return m_nSize; }
    bool IsEmpty() const { return m_nSize == 0; }
    // Changes whenever a row is added, removed or moved.
    std::uint64_t GetVersion() const { return m_nVersion; }

    const CLineSlot& Slot(int i) const;
    // The slot, in nodes this list owns alone.
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
    // Becomes a copy of src that shares all of it.
    void ShareFrom(const CLineList& src);

    // Walks the slots [from, to) in order while f(index, slot) returns true.
    template <class F> void ForEach(int from, int to, F f) const {
        if (m_pRoot && from < to)
            Walk(m_pRoot, 0, from, to, f);
    }

    static void AddRef(const CLineData* p);
    static void Unref(const CLineData* p);

private:
    struct Node {
        int nRefs = 1;
        int nCount = 0; // rows below
        int n = 0;      // slots of a leaf, children of an inner node
        bool bLeaf = true;
    };
    struct Leaf : Node {
        CLineSlot items[kLeaf];
    };
    struct Inner : Node {
        Inner() { bLeaf = false; }
        Node* kids[kFan];
        int counts[kFan]; // rows below each child, so a lookup reads one node per level
    };

    template <class F> static bool Walk(const Node* node, int base, int from, int to, F& f) {
        if (node->bLeaf) {
            const auto* leaf = static_cast<const Leaf*>(node);
            const int end = std::min(leaf->n, to - base);
            for (int j = std::max(0, from - base); j < end; ++j)
                if (!f(base + j, leaf->items[j]))
                    return false;
            return true;
        }
        const auto* in = static_cast<const Inner*>(node);
        for (int k = 0; k < in->n && base < to; ++k) {
            if (base + in->counts[k] > from && !Walk(in->kids[k], base, from, to, f))
                return false;
            base += in->counts[k];
        }
        return true;
    }

    static void UnrefNode(Node* node);
    static void FreeNode(Node* node); // as what it is: nodes have no virtual destructor
    // The node in *at, copied first when it is shared.
    static Node* Own(Node*& at);
    // Child k and the index within it that holds row i of node in.
    static int Descend(const Inner* in, int& i);
    static Node* InsertInto(Node*& at, int i, const CLineSlot& slot);
    static CLineSlot RemoveFrom(Node*& at, int i);
    CLineSlot RemoveSlot(int i);

    Node* m_pRoot = nullptr;
    int m_nSize = 0;
    std::uint64_t m_nVersion = 0;
};

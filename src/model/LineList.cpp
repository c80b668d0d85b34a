#include "model/LineList.h"

#include "model/LineData.h"

CLineList::~CLineList() {
    RemoveAll();
}

void CLineList::AddRef(const CLineData* p) {
    ++p->m_nRefs;
}

void CLineList::Unref(const CLineData* p) {
    if (--p->m_nRefs == 0)
        delete p;
}

void CLineList::FreeNode(Node* node) {
    if (node->bLeaf)
        delete static_cast<Leaf*>(node);
    else
        delete static_cast<Inner*>(node);
}

void CLineList::UnrefNode(Node* node) {
    if (--node->nRefs > 0)
        return;
    if (node->bLeaf) {
        auto* leaf = static_cast<Leaf*>(node);
        for (int j = 0; j < leaf->n; ++j)
            Unref(leaf->items[j].pLine);
        delete leaf;
    } else {
        auto* in = static_cast<Inner*>(node);
        for (int k = 0; k < in->n; ++k)
            UnrefNode(in->kids[k]);
        delete in;
    }
}

CLineList::Node* CLineList::Own(Node*& at) {
    Node* node = at;
    if (node->nRefs == 1)
        return node;
    Node* copy;
    if (node->bLeaf) {
        auto* leaf = new Leaf(*static_cast<Leaf*>(node));
        for (int j = 0; j < leaf->n; ++j)
            AddRef(leaf->items[j].pLine);
        copy = leaf;
    } else {
        auto* in = new Inner(*static_cast<Inner*>(node));
        for (int k = 0; k < in->n; ++k)
            ++in->kids[k]->nRefs;
        copy = in;
    }
    copy->nRefs = 1;
    --node->nRefs; // still held by the other side
    at = copy;
    return copy;
}

int CLineList::Descend(const Inner* in, int& i) {
    int k = 0;
    while (i >= in->counts[k]) {
        i -= in->counts[k];
        ++k;
    }
    return k;
}

const CLineSlot& CLineList::Slot(int i) const {
    const Node* node = m_pRoot;
    while (!node->bLeaf) {
        const auto* in = static_cast<const Inner*>(node);
        node = in->kids[Descend(in, i)];
    }
    return static_cast<const Leaf*>(node)->items[i];
}

CLineSlot& CLineList::MutableSlot(int i) {
    Node** at = &m_pRoot;
    for (;;) {
        Node* node = Own(*at);
        if (node->bLeaf)
            return static_cast<Leaf*>(node)->items[i];
        auto* in = static_cast<Inner*>(node);
        at = &in->kids[Descend(in, i)];
    }
}

bool CLineList::IsShared(int i) const {
    const Node* node = m_pRoot;
    while (!node->bLeaf) {
        if (node->nRefs > 1)
            return true;
        const auto* in = static_cast<const Inner*>(node);
        node = in->kids[Descend(in, i)];
    }
    return node->nRefs > 1 || static_cast<const Leaf*>(node)->items[i].pLine->m_nRefs > 1;
}

CLineData* CLineList::MutableLine(int i) {
    CLineSlot& s = MutableSlot(i);
    if (s.pLine->m_nRefs > 1) {
        auto* copy = new CLineData(*s.pLine);
        copy->m_nRefs = 1;
        Unref(s.pLine);
        s.pLine = copy;
    }
    // Held by this list alone: the one place a row becomes writable.
    return const_cast<CLineData*>(s.pLine);
}

// Inserts the slot as row i of the subtree in *at; returns the new right
// sibling when the node had to split, else nullptr.
CLineList::Node* CLineList::InsertInto(Node*& at, int i, const CLineSlot& slot) {
    Node* node = Own(at);
    ++node->nCount;
    if (node->bLeaf) {
        auto* leaf = static_cast<Leaf*>(node);
        if (leaf->n < kLeaf) {
            std::copy_backward(leaf->items + i, leaf->items + leaf->n, leaf->items + leaf->n + 1);
            leaf->items[i] = slot;
            ++leaf->n;
            return nullptr;
        }
        auto* right = new Leaf;
        if (i == kLeaf) {
            // Rows added at the end fill their leaves completely.
            right->items[0] = slot;
            right->n = 1;
        } else {
            constexpr int half = kLeaf / 2;
            std::copy(leaf->items + half, leaf->items + kLeaf, right->items);
            leaf->n = half;
            right->n = kLeaf - half;
            Leaf* to = i <= half ? leaf : right;
            const int j = i <= half ? i : i - half;
            std::copy_backward(to->items + j, to->items + to->n, to->items + to->n + 1);
            to->items[j] = slot;
            ++to->n;
        }
        leaf->nCount = leaf->n;
        right->nCount = right->n;
        return right;
    }
    auto* in = static_cast<Inner*>(node);
    // A row between two children goes to the end of the left one, so rows
    // added at the end reach the last leaf.
    int k = 0;
    while (k < in->n - 1 && i > in->counts[k]) {
        i -= in->counts[k];
        ++k;
    }
    Node* split = InsertInto(in->kids[k], i, slot);
    in->counts[k] = in->kids[k]->nCount;
    if (!split)
        return nullptr;
    auto put = [](Inner* to, int at, Node* kid) {
        std::copy_backward(to->kids + at, to->kids + to->n, to->kids + to->n + 1);
        std::copy_backward(to->counts + at, to->counts + to->n, to->counts + to->n + 1);
        to->kids[at] = kid;
        to->counts[at] = kid->nCount;
        ++to->n;
    };
    if (in->n < kFan) {
        put(in, k + 1, split);
        return nullptr;
    }
    auto* right = new Inner;
    if (k + 1 == kFan) {
        right->n = 0;
        put(right, 0, split);
    } else {
        constexpr int half = kFan / 2;
        std::copy(in->kids + half, in->kids + kFan, right->kids);
        std::copy(in->counts + half, in->counts + kFan, right->counts);
        in->n = half;
        right->n = kFan - half;
        if (k + 1 <= half)
            put(in, k + 1, split);
        else
            put(right, k + 1 - half, split);
    }
    auto sum = [](const Inner* x) {
        int total = 0;
        for (int j = 0; j < x->n; ++j)
            total += x->counts[j];
        return total;
    };
    in->nCount = sum(in);
    right->nCount = sum(right);
    return right;
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
    if (!m_pRoot)
        m_pRoot = new Leaf;
    if (Node* split = InsertInto(m_pRoot, i, slot)) {
        auto* root = new Inner;
        root->kids[0] = m_pRoot;
        root->counts[0] = m_pRoot->nCount;
        root->kids[1] = split;
        root->counts[1] = split->nCount;
        root->n = 2;
        root->nCount = m_pRoot->nCount + split->nCount;
        m_pRoot = root;
    }
    ++m_nSize;
}

// Removes row i of the subtree in *at and returns its slot; a node left empty
// is freed by its parent.
CLineSlot CLineList::RemoveFrom(Node*& at, int i) {
    Node* node = Own(at);
    --node->nCount;
    if (node->bLeaf) {
        auto* leaf = static_cast<Leaf*>(node);
        const CLineSlot s = leaf->items[i];
        std::copy(leaf->items + i + 1, leaf->items + leaf->n, leaf->items + i);
        --leaf->n;
        return s;
    }
    auto* in = static_cast<Inner*>(node);
    const int k = Descend(in, i);
    const CLineSlot s = RemoveFrom(in->kids[k], i);
    if (--in->counts[k] == 0) {
        FreeNode(in->kids[k]); // owned alone and empty
        std::copy(in->kids + k + 1, in->kids + in->n, in->kids + k);
        std::copy(in->counts + k + 1, in->counts + in->n, in->counts + k);
        --in->n;
    }
    return s;
}

CLineSlot CLineList::RemoveSlot(int i) {
    ++m_nVersion;
    const CLineSlot s = RemoveFrom(m_pRoot, i);
    --m_nSize;
    if (m_nSize == 0) {
        FreeNode(m_pRoot);
        m_pRoot = nullptr;
    }
    // A root with one child gives way to it, so emptying a sheet also makes
    // its tree shallow again.
    while (m_pRoot && !m_pRoot->bLeaf && m_pRoot->n == 1) {
        auto* in = static_cast<Inner*>(m_pRoot);
        m_pRoot = in->kids[0];
        delete in;
    }
    return s;
}

CLineData* CLineList::Release(int i) {
    CLineData* p = MutableLine(i);
    RemoveSlot(i);
    p->m_nRefs = 0;
    return p;
}

void CLineList::Erase(int i) {
    Unref(RemoveSlot(i).pLine);
}

void CLineList::Swap(int a, int b) {
    ++m_nVersion;
    if (a == b)
        return;
    CLineSlot& sa = MutableSlot(a);
    // Every node on the way to a is owned alone now, so this never copies
    // the leaf that holds sa.
    CLineSlot& sb = MutableSlot(b);
    std::swap(sa, sb);
}

void CLineList::RemoveAll() {
    ++m_nVersion;
    if (m_pRoot)
        UnrefNode(m_pRoot);
    m_pRoot = nullptr;
    m_nSize = 0;
}

void CLineList::ShareFrom(const CLineList& src) {
    if (&src == this)
        return;
    if (src.m_pRoot)
        ++src.m_pRoot->nRefs;
    RemoveAll();
    m_pRoot = src.m_pRoot;
    m_nSize = src.m_nSize;
}

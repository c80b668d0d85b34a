#pragma once
// The document's undo rules over plain copies of a reference sheet, for the
// differential tests: a bounded list of snapshots and a position in it.
#include <algorithm>
#include <vector>

template <class Sheet> struct ReferenceHistory {
    std::vector<Sheet> units;
    int pos = 0;
    int max = 100;
    void Push(const Sheet& s) {
        if (static_cast<int>(units.size()) >= max) {
            units.erase(units.begin());
            pos = std::max(pos - 1, 0);
        }
        units.resize(static_cast<std::size_t>(pos));
        units.push_back(s);
        pos = static_cast<int>(units.size());
    }
    bool CanUndo() const { return pos > 0; }
    bool CanRedo() const { return pos < static_cast<int>(units.size()) - 1; }
    // Only the first undo since the last edit keeps the shown state.
    void Undo(Sheet& s) {
        if (pos == static_cast<int>(units.size()))
            units.push_back(s);
        s = units[static_cast<std::size_t>(--pos)];
    }
    void Redo(Sheet& s) { s = units[static_cast<std::size_t>(++pos)]; }
};

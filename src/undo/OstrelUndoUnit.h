#pragma once
// Base of every undo unit; it holds no data.
class COstrelUndoUnit {
public:
    virtual ~COstrelUndoUnit() = default;
};

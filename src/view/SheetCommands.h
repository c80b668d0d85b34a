#pragma once
// The row and column commands of the grid view: add, insert, edit, delete
// and move rows and columns, and the six check/clear commands. Each asks
// first (dialog or question), then records an undo snapshot, changes the
// sheet through the model, marks the document modified, re-ranges the
// scroll bars when the row or column count changed and repaints every view.
// The view owns one and forwards its commands to it.
#include "fw/CmdTarget.h"

class CViewHost;
class CSheetFile;
class CTavrelDoc;
class QWidget;

class CSheetCommands : public CCmdTarget {
public:
    enum : UINT {
        kLineAdd = 32771,
        kLineInsert = 32790,
        kLineEdit = 32776,
        kLineDelete = 32777,
        kLineUp = 32801,
        kLineDown = 32802,
        kLineCheck = 32792,
        kLineUncheck = 32794,
        kColumnAdd = 32772,
        kColumnInsert = 32789,
        kColumnEdit = 32778,
        kColumnDelete = 32779,
        kColumnLeft = 32805,
        kColumnRight = 32806,
        kColumnCheck = 32793,
        kColumnUncheck = 32795,
        kAllCheck = 32791,
        kAllUncheck = 57633,
    };

    explicit CSheetCommands(CViewHost* pHost) : m_pHost(pHost) {}

    // A disabled command is handled by doing nothing.
    bool OnCmdMsg(UINT id) override;
    bool OnUpdateCmdUI(CCmdUI& cmdUI) override;
    // Whether id is one of these commands, and whether it may run now.
    static bool Handles(UINT id);
    bool IsEnabled(UINT id) const;

    void OnLineAdd();
    void OnLineInsert();
    void OnLineEdit();
    void OnLineDelete();
    void OnLineMove(int step);
    void OnColumnAdd();
    void OnColumnInsert();
    void OnColumnEdit();
    void OnColumnDelete();
    void OnColumnMove(int step);
    // question: UTF-8; what: 0 sheet, 1 current row, 2 current column.
    void OnCheck(const char* question, int what, bool bCheck);

private:
    CTavrelDoc* Doc() const;
    CSheetFile& Sheet() const;
    QWidget* Owner() const;
    // Mark modified, and re-range the scroll bars when the counts changed.
    void Changed(bool bCountsChanged);

    CViewHost* m_pHost;
};

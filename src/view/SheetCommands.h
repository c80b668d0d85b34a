#pragma once
// The row and column commands of the grid view: add, insert, edit, delete
// and move rows and columns, and the six check/clear commands. Each asks
// first (dialog or question), then records an undo snapshot, changes the
// sheet through the model, marks the document modified, re-ranges the
// scroll bars when the row or column count changed and repaints every view.
// The view owns one and forwards its commands to it.
#include <span>

#include "fw/CmdTarget.h"

// Which cells a check or clear command changes.
enum class CheckScope { Sheet, Line, Column };

class CViewHost;
class CSheetFile;
class CSheetDocument;
class QWidget;

class CSheetCommands : public CCommandTable<CSheetCommands> {
public:
    // What a command needs of the sheet to run.
    enum class Needs;
    explicit CSheetCommands(CViewHost* pHost) : m_pHost(pHost) {}

    // Every command of this class: its id, its handler and when it is enabled.
    static std::span<const Command> Commands();

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
    // question: UTF-8.
    void OnCheck(const char* question, CheckScope scope, bool bCheck);

private:
    template <Needs needs> static bool Has(CSheetCommands& c);
    CSheetDocument* Doc() const;
    CSheetFile& Sheet() const;
    QWidget* Owner() const;

    CViewHost* m_pHost;
};

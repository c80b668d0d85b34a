#pragma once
// The grid as assistive technologies see it: a table whose rows and columns
// carry the sheet's row and column names, each cell a check box that says
// whether it is checked, the current cell the focused child. The tracker
// announces cursor moves and ticks when the program goes idle, after every
// change, by looking only at the current cell.
#include <QAccessibleWidget>
#include <QObject>

#include <functional>

class CTavrelView;
class CSheetFile;

// Registers the table with Qt's accessibility once; the view calls it.
void InstallGridAccessible();

class CGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit CGridAccessible(CTavrelView* view);
    ~CGridAccessible() override;

    // QAccessibleInterface
    void* interface_cast(QAccessible::InterfaceType t) override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text t) const override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int columnCount() const override;
    int rowCount() const override;
    int selectedCellCount() const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    const CSheetFile* Sheet() const;
    CTavrelView* View() const;

private:
    // Cells are made when asked for and kept (assistive technologies hold
    // on to them); the oldest go once there are many.
    mutable QHash<quint64, QAccessible::Id> m_cells;
};

// Sends the focus and state change events for the current cell.
class CGridAccessibleTracker : public QObject {
public:
    explicit CGridAccessibleTracker(CTavrelView* view);
    // Compares the current cell with what was announced last; public so
    // that it can be driven without an event loop.
    void Check();
    // Also hands every event to sink (tests: with no assistive technology
    // running Qt drops them before any update handler sees them).
    static void SetEventSink(std::function<void(QAccessibleEvent*)> sink);

private:
    static void Send(QAccessibleEvent* event);

    CTavrelView* m_pView;
    int m_nLine = -2;
    int m_nColumn = -2;
    int m_nChecked = -1; // the current cell's state as last announced
    int m_nSheetChecked = -1;
};

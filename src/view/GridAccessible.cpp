#include "view/GridAccessible.h"

#include <QAbstractEventDispatcher>
#include <QAccessible>
#include <QFileInfo>

#include <algorithm>

#include "document/SheetDocument.h"
#include "fw/Cp932.h"
#include "model/CheckItem.h"
#include "view/TavrelView.h"

namespace {

QString Native(const std::string& cp932) {
    return QString::fromStdString(cp932::ToUtf8(cp932));
}

const char* const kChecked = "チェックあり";
const char* const kUnchecked = "チェックなし";

class CGridCellAccessible : public QAccessibleInterface,
                            public QAccessibleTableCellInterface,
                            public QAccessibleActionInterface {
public:
    CGridCellAccessible(CTavrelView* view, int row, int column)
        : m_pView(view), m_nRow(row), m_nColumn(column) {}

    bool isValid() const override {
        const CSheetFile* s = Sheet();
        return s && m_nRow < s->GetSize() && m_nColumn < s->m_Columns.GetSize();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return Table() ? Table()->window() : nullptr; }
    QAccessibleInterface* parent() const override { return Table(); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

    QAccessible::Role role() const override {
        return Check() ? QAccessible::CheckBox : QAccessible::Cell;
    }
    QString text(QAccessible::Text t) const override {
        if (!isValid())
            return {};
        const CSheetFile& s = *Sheet();
        switch (t) {
        case QAccessible::Name:
            return Native(s.GetAt(m_nRow)->m_strName) + QLatin1Char(' ') +
                   Native(s.m_Columns[m_nColumn]->m_strName);
        case QAccessible::Value:
        case QAccessible::Description:
            if (const CCheckItem* c = Check())
                return QString::fromUtf8(c->m_bCheck ? kChecked : kUnchecked);
            return {};
        default:
            return {};
        }
    }
    QAccessible::State state() const override {
        QAccessible::State st;
        if (!isValid()) {
            st.invalid = true;
            return st;
        }
        const CSheetFile& s = *Sheet();
        const bool cur = s.m_nCurLine == m_nRow && s.m_nCurColumn == m_nColumn;
        st.focusable = true;
        st.selectable = true;
        st.selected = cur;
        st.focused = cur && m_pView->hasFocus();
        if (const CCheckItem* c = Check()) {
            st.checkable = true;
            st.checked = c->m_bCheck != 0;
        }
        return st;
    }
    QRect rect() const override {
        if (!isValid())
            return {};
        const CDataItem* p = Sheet()->GetAt(m_nRow)->GetAt(m_nColumn);
        const CRect r = p->GetRect();
        QRect q(r.left, r.top, r.right - r.left, r.bottom - r.top);
        return QRect(m_pView->mapToGlobal(q.topLeft()), q.size());
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        if (t == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    // QAccessibleActionInterface: a check cell toggles as Space does on it.
    QStringList actionNames() const override {
        return Check() ? QStringList{toggleAction()} : QStringList{};
    }
    QString localizedActionDescription(const QString& name) const override {
        return name == toggleAction() ? QString::fromUtf8("チェックを切り替え") : QString();
    }
    void doAction(const QString& name) override {
        if (name == toggleAction() && Check())
            m_pView->ToggleCell(m_nRow, m_nColumn);
    }
    QStringList keyBindingsForAction(const QString& name) const override {
        return name == toggleAction() ? QStringList{QStringLiteral("Space")} : QStringList{};
    }

    // QAccessibleTableCellInterface
    bool isSelected() const override { return state().selected; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_nColumn; }
    int rowIndex() const override { return Sheet() ? Sheet()->ShownPos(m_nRow) : -1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return Table(); }

private:
    QAccessibleInterface* Table() const { return QAccessible::queryAccessibleInterface(m_pView); }
    const CSheetFile* Sheet() const {
        CSheetDocument* d = m_pView->GetDocument();
        return d ? &d->m_Sheet : nullptr;
    }
    const CCheckItem* Check() const {
        return isValid() ? AsCheckItem(Sheet()->GetAt(m_nRow)->GetAt(m_nColumn)) : nullptr;
    }

    CTavrelView* m_pView;
    int m_nRow;
    int m_nColumn;
};

QAccessibleInterface* GridFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("CTavrelView"))
        if (auto* view = qobject_cast<CTavrelView*>(object))
            return new CGridAccessible(view);
    return nullptr;
}

constexpr int kMaxCells = 4096;

} // namespace

void InstallGridAccessible() {
    static const bool installed = [] {
        QAccessible::installFactory(GridFactory);
        return true;
    }();
    (void)installed;
}

CGridAccessible::CGridAccessible(CTavrelView* view) : QAccessibleWidget(view, QAccessible::Table) {}

CGridAccessible::~CGridAccessible() {
    for (QAccessible::Id id : std::as_const(m_cells))
        QAccessible::deleteAccessibleInterface(id);
}

CTavrelView* CGridAccessible::View() const {
    return static_cast<CTavrelView*>(widget());
}

const CSheetFile* CGridAccessible::Sheet() const {
    CSheetDocument* d = View()->GetDocument();
    return d ? &d->m_Sheet : nullptr;
}

void* CGridAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

int CGridAccessible::rowCount() const {
    // The rows the grid shows: all of them, or only the open ones.
    return Sheet() ? Sheet()->ShownCount() : 0;
}

int CGridAccessible::columnCount() const {
    return Sheet() ? Sheet()->m_Columns.GetSize() : 0;
}

int CGridAccessible::childCount() const {
    // Clamped: a screen reader walks a table by rows and columns anyway.
    const qint64 n = qint64(rowCount()) * columnCount();
    return n > INT_MAX ? INT_MAX : int(n);
}

QAccessibleInterface* CGridAccessible::cellAt(int row, int column) const {
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return nullptr;
    // Cells hold the sheet's row, so that a row keeps its cell when the rows
    // shown above it change.
    row = Sheet()->ShownAt(row);
    const quint64 key = (quint64(quint32(row)) << 32) | quint32(column);
    if (auto it = m_cells.constFind(key); it != m_cells.constEnd())
        return QAccessible::accessibleInterface(*it);
    if (m_cells.size() >= kMaxCells) {
        for (QAccessible::Id id : std::as_const(m_cells))
            QAccessible::deleteAccessibleInterface(id);
        m_cells.clear();
    }
    auto* cell = new CGridCellAccessible(View(), row, column);
    m_cells.insert(key, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

QAccessibleInterface* CGridAccessible::child(int index) const {
    const int cols = columnCount();
    if (index < 0 || cols == 0)
        return nullptr;
    return cellAt(index / cols, index % cols);
}

int CGridAccessible::indexOfChild(const QAccessibleInterface* child) const {
    auto* cell = child ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
    if (!cell || child->parent() != this)
        return -1;
    return cell->rowIndex() * columnCount() + cell->columnIndex();
}

QAccessibleInterface* CGridAccessible::focusChild() const {
    const CSheetFile* s = Sheet();
    return s ? cellAt(s->ShownPos(s->m_nCurLine), s->m_nCurColumn) : nullptr;
}

QAccessibleInterface* CGridAccessible::childAt(int x, int y) const {
    const CSheetFile* s = Sheet();
    if (!s)
        return nullptr;
    const QPoint p = View()->mapFromGlobal(QPoint(x, y));
    // Only the rows on screen can be under a point: from the top one down.
    for (int pos = std::max(0, s->TopPos()), n = 0; pos < s->ShownCount() && n < 1000; ++pos, ++n) {
        const CLineData* line = s->GetAt(s->ShownAt(pos));
        if (line->m_rect.top > p.y())
            break;
        if (line->HitTest(p.x(), p.y())) {
            const int column = line->ItemFromPoint(p.x(), p.y());
            return column >= 0 ? cellAt(pos, column) : nullptr;
        }
    }
    return nullptr;
}

QString CGridAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && Sheet()) {
        // The sheet's title, else the document's name as the window gives it.
        QString name = Native(Sheet()->m_strTitle);
        if (name.isEmpty())
            name = QFileInfo(QString::fromStdString(View()->DocumentPath())).fileName();
        if (name.isEmpty())
            name = View()->window()->windowTitle().section(QStringLiteral(" - "), 0, 0);
        return name;
    }
    return QAccessibleWidget::text(t);
}

QString CGridAccessible::columnDescription(int column) const {
    return column >= 0 && column < columnCount() ? Native(Sheet()->m_Columns[column]->m_strName)
                                                 : QString();
}

QString CGridAccessible::rowDescription(int row) const {
    return row >= 0 && row < rowCount() ? Native(Sheet()->GetAt(Sheet()->ShownAt(row))->m_strName)
                                        : QString();
}

int CGridAccessible::selectedCellCount() const {
    return focusChild() ? 1 : 0;
}

QList<QAccessibleInterface*> CGridAccessible::selectedCells() const {
    if (QAccessibleInterface* c = focusChild())
        return {c};
    return {};
}

CGridAccessibleTracker::CGridAccessibleTracker(CTavrelView* view) : QObject(view), m_pView(view) {
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] { Check(); });
}

namespace {
std::function<void(QAccessibleEvent*)>& Sink() {
    static std::function<void(QAccessibleEvent*)> sink;
    return sink;
}
} // namespace

void CGridAccessibleTracker::SetEventSink(std::function<void(QAccessibleEvent*)> sink) {
    Sink() = std::move(sink);
}

void CGridAccessibleTracker::Send(QAccessibleEvent* event) {
    if (Sink())
        Sink()(event);
    QAccessible::updateAccessibility(event);
}

void CGridAccessibleTracker::Check() {
    // Nothing listens without an assistive technology: skip the work at idle.
    if (!QAccessible::isActive() && !Sink())
        return;
    CSheetDocument* d = m_pView->GetDocument();
    if (!d)
        return;
    const CSheetFile& s = d->m_Sheet;
    const int line = s.m_nCurLine;
    const int column = s.m_nCurColumn;
    const bool valid =
        line >= 0 && line < s.GetSize() && column >= 0 && column < s.m_Columns.GetSize();
    const CCheckItem* c = valid ? AsCheckItem(s.GetAt(line)->GetAt(column)) : nullptr;
    const int checked = c ? c->m_bCheck != 0 : -1;
    const int sheetChecked = s.CheckCounts().nChecked;
    const int index = valid ? s.ShownPos(line) * s.m_Columns.GetSize() + column : -1;
    const bool moved = line != m_nLine || column != m_nColumn;
    if (moved && valid) {
        QAccessibleEvent ev(m_pView, QAccessible::Focus);
        ev.setChild(index);
        Send(&ev);
    }
    // A click moves and ticks at once: the sheet's count tells that it ticked.
    if (c && (moved ? sheetChecked != m_nSheetChecked : checked != m_nChecked)) {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent ev(m_pView, changed);
        ev.setChild(index);
        Send(&ev);
    }
    m_nLine = line;
    m_nColumn = column;
    m_nChecked = checked;
    m_nSheetChecked = sheetChecked;
}

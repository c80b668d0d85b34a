#include "dialogs/AccessibleNames.h"

#include <algorithm>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>
#include <QRegularExpression>
#include <QTextEdit>

namespace {

QString Plain(QString text) {
    // "&Name", "名前(&N):" and "a && b" as a reader should say them.
    text.replace(QLatin1String("&&"), QString(QChar(0xFFFF)));
    text.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    text.remove(QLatin1Char('&'));
    text.replace(QChar(0xFFFF), QLatin1Char('&'));
    text = text.trimmed();
    while (text.endsWith(QLatin1Char(':')) || text.endsWith(QChar(0xFF1A)))
        text.chop(1);
    return text.trimmed();
}

bool IsControl(const QWidget* w) {
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QTextEdit*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QSlider*>(w);
}

QRect InRoot(const QWidget* w, const QWidget* root) {
    return QRect(w->mapTo(root, QPoint(0, 0)), w->size());
}

// The label a control sits beside (same line, to its left) or under.
QString NearestLabel(const QWidget* control, const QList<QLabel*>& labels, const QWidget* root) {
    const QRect c = InRoot(control, root);
    const QLabel* best = nullptr;
    int bestDistance = INT_MAX;
    for (const QLabel* l : labels) {
        if (!l->isVisibleTo(root) || Plain(l->text()).isEmpty() || l->textFormat() == Qt::RichText)
            continue;
        const QRect r = InRoot(l, root);
        const bool sameLine = r.top() < c.bottom() && c.top() < r.bottom();
        const bool leftOf = sameLine && r.right() <= c.left() + 2;
        const bool above =
            r.bottom() <= c.top() + 2 && r.left() < c.right() && c.left() < r.right();
        int distance = INT_MAX;
        if (leftOf)
            distance = c.left() - r.right();
        else if (above && c.top() - r.bottom() <= 2 * c.height())
            distance = 1000 + c.top() - r.bottom(); // a label on the same line comes first
        if (distance < bestDistance) {
            bestDistance = distance;
            best = l;
        }
    }
    return best ? Plain(best->text()) : QString();
}

class CNamingFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            if (auto* dialog = qobject_cast<QDialog*>(watched))
                NameControlsFromLabels(dialog);
        return false;
    }
};

} // namespace

void NameControlsFromLabels(QWidget* root) {
    const QList<QLabel*> labels = root->findChildren<QLabel*>();
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!IsControl(w) || !w->accessibleName().isEmpty())
            continue;
        QString name;
        if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            name = Plain(b->text());
            // "..." says nothing on its own: it browses for the field beside it.
            const bool wordless = std::none_of(name.begin(), name.end(),
                                               [](QChar c) { return c.isLetterOrNumber(); });
            if (wordless && !name.isEmpty())
                if (const QString label = NearestLabel(w, labels, root); !label.isEmpty())
                    name = label + QLatin1Char(' ') + name;
        }
        for (const QLabel* l : labels)
            if (name.isEmpty() && l->buddy() == w)
                name = Plain(l->text());
        if (name.isEmpty())
            name = NearestLabel(w, labels, root);
        if (name.isEmpty() && !w->toolTip().isEmpty())
            name = Plain(w->toolTip());
        if (!name.isEmpty())
            w->setAccessibleName(name);
    }
}

void InstallAccessibleNaming() {
    static CNamingFilter* filter = nullptr;
    if (!filter && qApp) {
        filter = new CNamingFilter(qApp);
        qApp->installEventFilter(filter);
    }
}

#include "dialogs/AccessibleNames.h"

#include <algorithm>

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
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

#include "dialogs/ColorBtn.h"

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

// A combo box named as other controls are: by its name or its label (the
// platform's own reads out the value instead), its value being the choice.
class CComboAccessible : public QAccessibleWidget {
public:
    explicit CComboAccessible(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}
    QComboBox* Combo() const { return static_cast<QComboBox*>(widget()); }

    int childCount() const override { return Combo()->lineEdit() ? 2 : 1; }
    QAccessibleInterface* child(int index) const override {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(Combo()->view());
        if (index == 1 && Combo()->lineEdit())
            return QAccessible::queryAccessibleInterface(Combo()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < childCount(); ++i)
            if (child && this->child(i) && child->object() == this->child(i)->object())
                return i;
        return -1;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return Combo()->lineEdit() ? Combo()->lineEdit()->text() : Combo()->currentText();
        QString str = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && str.isEmpty())
            str = Combo()->currentText();
        return str;
    }
    QAccessible::State state() const override {
        QAccessible::State st = QAccessibleWidget::state();
        st.expandable = true;
        st.expanded = Combo()->view()->isVisible();
        st.editable = Combo()->isEditable();
        return st;
    }
    QStringList actionNames() const override {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override {
        if (name == showMenuAction() || name == pressAction()) {
            if (Combo()->view()->isVisible())
                Combo()->hidePopup();
            else
                Combo()->showPopup();
        } else {
            QAccessibleWidget::doAction(name);
        }
    }
};

// A colour button: its label, then the colour it holds.
class CColorBtnAccessible : public QAccessibleWidget {
public:
    explicit CColorBtnAccessible(CColorBtn* button)
        : QAccessibleWidget(button, QAccessible::Button) {}
    CColorBtn* Button() const { return static_cast<CColorBtn*>(widget()); }

    QString text(QAccessible::Text t) const override {
        const QString colour = ColorInWords(Button()->m_color);
        if (t == QAccessible::Name) {
            const QString label = QAccessibleWidget::text(t);
            return label.isEmpty() ? colour : label + QLatin1Char(' ') + colour;
        }
        if (t == QAccessible::Value)
            return colour;
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override {
        if (name == pressAction())
            Button()->click();
        else
            QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface* ControlFactory(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("QComboBox"))
        return new CComboAccessible(static_cast<QComboBox*>(object));
    if (className == QLatin1String("CColorBtn"))
        return new CColorBtnAccessible(static_cast<CColorBtn*>(object));
    // A tool bar's separator is a line, not a control: a reader passes over it.
    if (className == QLatin1String("QToolBarSeparator"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Separator);
    return nullptr;
}

} // namespace

QString ColorInWords(COLORREF color) {
    const QColor c = QColor::fromRgb(ColorRefToArgb(color));
    const int hue = c.hslHue(); // -1 for a grey
    const double sat = c.hslSaturationF(), light = c.lightnessF();
    QString words;
    if (light <= 0.08)
        words = QStringLiteral("黒");
    else if (light >= 0.96)
        words = QStringLiteral("白");
    else if (hue < 0 || sat < 0.15)
        words = light < 0.35  ? QStringLiteral("濃い灰色")
                : light > 0.7 ? QStringLiteral("薄い灰色")
                              : QStringLiteral("灰色");
    else {
        struct Band {
            int upTo;
            const char* name;
        };
        static const Band bands[] = {{15, "赤"},    {40, "橙"},    {70, "黄"},  {95, "黄緑"},
                                     {160, "緑"},   {200, "水色"}, {250, "青"}, {290, "紫"},
                                     {340, "赤紫"}, {360, "赤"}};
        const char* name = "赤";
        for (const Band& b : bands)
            if (hue < b.upTo) {
                name = b.name;
                break;
            }
        words = QString::fromUtf8(name);
        if (light < 0.3)
            words.prepend(QStringLiteral("濃い"));
        else if (light > 0.75)
            words.prepend(QStringLiteral("薄い"));
    }
    return words + QStringLiteral(" #") + c.name(QColor::HexRgb).mid(1).toUpper();
}

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
        QAccessible::installFactory(ControlFactory);
    }
}

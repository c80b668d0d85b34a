#include "view/CommandActions.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QString>

#include "fw/CommandRoute.h"
#include "res/CommandTable.h"

namespace {

void AddItems(QMenu* menu, const std::vector<CMenuItem>& items) {
    for (const CMenuItem& item : items) {
        if (item.id == ID_SEPARATOR)
            menu->addSeparator();
        else
            menu->addAction(CreateCommandAction(item.id, MenuItemText(item.text), menu));
    }
}

} // namespace

QString MenuItemText(const char* stored) {
    const QString text = QString::fromUtf8(stored);
    const int start = text.indexOf(QChar(0x1E));
    const int end = start < 0 ? -1 : text.indexOf(QChar(0x1F), start + 1);
    if (end < 0)
        return text;
    // After U+001F the stored text runs on to the bracket or the shortcut.
    int resume = end + 1;
    while (resume < text.size() && text[resume] != QChar(')') && text[resume] != QChar('\t'))
        ++resume;
    return text.left(start) + QChar('&') + text.mid(start + 1, end - start - 1) + text.mid(resume);
}

QAction* CreateCommandAction(UINT id, const QString& text, QObject* parent) {
    auto* action = new QAction(text, parent);
    // "名前\tCtrl+N": the menu shows the key from the shortcut, and a screen
    // reader then hears the name alone and the key as the item's key
    // binding. The keys themselves are the main window's accelerators; in a
    // widget's context an action in a menu never takes the key.
    if (const qsizetype tab = text.indexOf(QChar('\t')); tab >= 0) {
        const QKeySequence key(text.mid(tab + 1), QKeySequence::PortableText);
        if (!key.isEmpty() && key.toString(QKeySequence::PortableText) == text.mid(tab + 1)) {
            action->setText(text.left(tab));
            action->setShortcut(key);
            action->setShortcutContext(Qt::WidgetShortcut);
        }
    }
    action->setData(id);
    if (const CCommandInfo* info = FindCommand(id)) {
        action->setStatusTip(QString::fromUtf8(info->prompt));
        if (info->tip)
            action->setToolTip(QString::fromUtf8(info->tip));
    }
    QObject::connect(action, &QAction::triggered, action, [id] { RunCommand(id); });
    return action;
}

void UpdateMenuActions(QMenu* menu) {
    for (QAction* action : menu->actions()) {
        if (action->isSeparator() || action->menu() || !action->data().isValid())
            continue;
        const CCmdUI ui = UpdateCommand(action->data().toUInt());
        action->setEnabled(ui.m_bEnabled);
        if (action->isCheckable())
            action->setChecked(ui.m_nCheck != 0);
    }
}

QMenu* BuildPopupMenu(int menuId, QWidget* parent) {
    if (menuId != IDR_CONTEXT_MENU)
        return nullptr;
    auto* menu = new QMenu(parent);
    AddItems(menu, ContextMenuTable());
    UpdateMenuActions(menu);
    return menu;
}

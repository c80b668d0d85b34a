#pragma once
// Qt actions and popup menus made from the command table; each runs its
// command through the one route. The main frame builds its menus and tool bar
// with them, the view its context menu.
class QAction;
class QMenu;
class QObject;
class QString;
class QWidget;

#include "fw/Types.h"

// A menu item's text as shown. The table keeps two items as they were
// stored, with the mnemonic between the control characters U+001E and
// U+001F followed by a stray katakana ("アンドゥ(\x1EU\x1Fｱ)"); shown they
// read "アンドゥ(&U)": the letter becomes the mnemonic, the katakana goes.
// Other texts are shown as they are.
QString MenuItemText(const char* stored);
// An action for a command: the text, the prompt and tip from the table, and
// the command run through the routing when triggered. A key after a tab in
// the text becomes the action's shortcut, shown by menus but never taken.
QAction* CreateCommandAction(UINT id, const QString& text, QObject* parent);
// Enables and checks the command actions of a menu (before it opens).
void UpdateMenuActions(QMenu* menu);
// A popup from the table (IDR_CONTEXT_MENU: the context menu), ready to be shown.
QMenu* BuildPopupMenu(int menuId, QWidget* parent);

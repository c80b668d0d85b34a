#pragma once
// The one command table: every command's id, status prompt and tool tip, the
// menu bar, the context menu, the tool bar and the accelerators. Menus, bars
// and keys are all built from it, and every command runs through the one
// routing (a command without a handler is disabled, whichever way it comes).
#include <vector>

#include <Qt>

#include "fw/CmdTarget.h"

class QAction;
class QMenu;
class QObject;
class QString;
class QWidget;

struct CCommandInfo {
    UINT id;
    const char* prompt; // status bar text while the item is under the mouse
    const char* tip;    // tool tip of its tool bar button, or nullptr
};

struct CMenuItem {
    UINT id; // 0: separator
    const char* text;
};

struct CMenuPopup {
    const char* title;
    std::vector<CMenuItem> items;
};

struct CAccelerator {
    int key;
    Qt::KeyboardModifiers mods;
    UINT id;
};

enum : UINT {
    ID_SEPARATOR = 0,
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_DIRECT = 57608,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FILE1 = 57616,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP_FINDER = 57667,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    kMenuMain = 128,
    kMenuContext = 138,
};

// The information of a command; nullptr for an id the table does not know.
const CCommandInfo* FindCommand(UINT id);
const std::vector<CMenuPopup>& MenuBarTable();
const std::vector<CMenuItem>& ContextMenuTable();
const std::vector<UINT>& ToolBarTable(); // ID_SEPARATOR for a gap
const std::vector<CAccelerator>& AcceleratorTable();
// The command a key is bound to, 0 for none.
UINT AcceleratorCommand(int key, Qt::KeyboardModifiers mods);

// The head of the routing (the main frame); nullptr leaves every command disabled.
void SetCommandRoute(CCmdTarget* pRoot);
CCmdTarget* CommandRoute();
// The enable and check state of a command as its handlers give it.
CCmdUI UpdateCommand(UINT id);
// Runs a command when it is enabled; false when it did not run.
bool RunCommand(UINT id);

// An action for a command: the text, the prompt and tip from the table, and
// the command run through the routing when triggered.
QAction* CreateCommandAction(UINT id, const QString& text, QObject* parent);
// Enables and checks the command actions of a menu (before it opens).
void UpdateMenuActions(QMenu* menu);
// A popup from the table (138: the context menu), ready to be shown.
QMenu* BuildPopupMenu(int menuId, QWidget* parent);

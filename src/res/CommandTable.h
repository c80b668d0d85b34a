#pragma once
// The command table as data: every command's status prompt and tool tip, the
// menu bar, the context menu, the tool bar and the accelerators. Menus, bars
// and keys are all built from it.
#include <vector>

#include <Qt>

#include "res/CommandIds.h"

struct CCommandInfo {
    UINT id;
    const char* prompt; // status bar text while the item is under the mouse
    const char* tip;    // tool tip of its tool bar button, or nullptr
};

struct CMenuItem {
    UINT id; // ID_SEPARATOR: separator
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

// The information of a command; nullptr for an id the table does not know.
const CCommandInfo* FindCommand(UINT id);
const std::vector<CMenuPopup>& MenuBarTable();
const std::vector<CMenuItem>& ContextMenuTable();
const std::vector<UINT>& ToolBarTable(); // ID_SEPARATOR for a gap
const std::vector<CAccelerator>& AcceleratorTable();
// The command a key is bound to, 0 for none.
UINT AcceleratorCommand(int key, Qt::KeyboardModifiers mods);

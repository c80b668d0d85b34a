#pragma once
// Every command id of the program, in one place: menus, the context menu,
// the tool bar, the accelerators and every handler name them from here.
// The numbers are the ones stored help contexts and other programs know.
#include "fw/Types.h"

enum CommandId : UINT {
    ID_SEPARATOR = 0,

    // File.
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_DIRECT = 57608,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FILE1 = 57616,
    ID_FILE_MRU_FILE9 = 57624,
    ID_CSV_IMPORT = 32780,
    ID_CSV_EXPORT = 32781,
    ID_HTML_EXPORT = 32784,
    ID_APP_EXIT = 57665,

    // Edit.
    ID_EDIT_CLEAR_ALL = 57633,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_EDIT_PASTE_ADD = 32809,
    ID_EDIT_COPY_BITMAP = 32783,
    ID_EDIT_ALL_CHECK = 32791,
    ID_EDIT_CHECK = 32775,

    // Rows.
    ID_LINE_ADD = 32771,
    ID_LINE_INSERT = 32790,
    ID_LINE_PASTE_TEXT = 32786,
    ID_LINE_EDIT = 32776,
    ID_LINE_DELETE = 32777,
    ID_LINE_UP = 32801,
    ID_LINE_DOWN = 32802,
    ID_LINE_CHECK = 32792,
    ID_LINE_UNCHECK = 32794,

    // Columns.
    ID_COLUMN_ADD = 32772,
    ID_COLUMN_INSERT = 32789,
    ID_COLUMN_PASTE_TEXT = 32785,
    ID_COLUMN_EDIT = 32778,
    ID_COLUMN_DELETE = 32779,
    ID_COLUMN_LEFT = 32805,
    ID_COLUMN_RIGHT = 32806,
    ID_COLUMN_CHECK = 32793,
    ID_COLUMN_UNCHECK = 32795,

    // View.
    ID_VIEW_SETTINGS = 32782,
    ID_VIEW_LINE_LINK = 32787,
    ID_VIEW_COLUMN_LINK = 32788,
    ID_VIEW_LINE_FONT = 32773,
    ID_VIEW_COLUMN_FONT = 32774,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,

    // Help.
    ID_HELP_FINDER = 57667,
    ID_HELP_SEARCH = 32810,
    ID_HELP_HOMEPAGE = 32835,
    ID_APP_ABOUT = 57664,
    ID_HELP = 57670,
    ID_DEFAULT_HELP = 57671,

    // Cursor keys: Home, End, Ctrl+Home, Ctrl+End.
    ID_CURSOR_LINE_START = 32840,
    ID_CURSOR_LINE_END = 32841,
    ID_CURSOR_FIRST_LINE = 32842,
    ID_CURSOR_LAST_LINE = 32843,

    // Window keys.
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,

    // Status bar indicators.
    ID_INDICATOR_CAPS = 59137,
    ID_INDICATOR_NUM = 59138,
    ID_INDICATOR_SCRL = 59139,
    ID_INDICATOR_KANA = 59142,

    // Menus and child windows.
    IDR_MAINFRAME = 128,
    IDR_CONTEXT_MENU = 138,
    IDC_HSCROLL = 300,
    IDC_VSCROLL = 301,
};

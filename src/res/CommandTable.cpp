#include "res/CommandTable.h"

namespace {

// The second half of a tool bar command's string: its tool tip.
const std::vector<CCommandInfo> kCommands = {
    {ID_FILE_NEW, "新規にﾌｧｲﾙを作成", "新規ﾌｧｲﾙ"},
    {ID_FILE_OPEN, "既存のﾌｧｲﾙを開く", "開く"},
    {ID_FILE_SAVE, "作業中のﾌｧｲﾙを上書きして保存", "保存"},
    {ID_FILE_SAVE_AS, "作業中のﾌｧｲﾙを新しい名前で保存", nullptr},
    {ID_FILE_PRINT, "作業中のﾌｧｲﾙを印刷", nullptr},
    {ID_FILE_PRINT_PREVIEW, "印刷ｲﾒｰｼﾞを表示", nullptr},
    {ID_FILE_MRU_FILE1, "指定のﾌｧｲﾙを開く", nullptr},
    {ID_FILE_MRU_FILE1 + 1, "指定のﾌｧｲﾙを開く", nullptr},
    {ID_FILE_MRU_FILE1 + 2, "指定のﾌｧｲﾙを開く", nullptr},
    {ID_FILE_MRU_FILE1 + 3, "指定のﾌｧｲﾙを開く", nullptr},
    {ID_FILE_MRU_FILE1 + 4, "指定のﾌｧｲﾙを開く", nullptr},
    {ID_FILE_MRU_FILE1 + 5, "指定のﾌｧｲﾙを開く", nullptr},
    {ID_FILE_MRU_FILE1 + 6, "指定のﾌｧｲﾙを開く", nullptr},
    {ID_FILE_MRU_FILE1 + 7, "指定のﾌｧｲﾙを開く", nullptr},
    {ID_FILE_MRU_FILE1 + 8, "指定のﾌｧｲﾙを開く", nullptr},
    {ID_APP_EXIT, "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示", nullptr},
    {ID_CSV_IMPORT, "CSVﾌｧｲﾙを読み込んで行と列を追加", nullptr},
    {ID_CSV_EXPORT, "CSV出力", "CSV出力"},
    {ID_HTML_EXPORT, "HTML出力", "HTML出力"},
    {ID_EDIT_UNDO, "直前に行った動作を元に戻す", "元に戻す"},
    {ID_EDIT_REDO, "直前に行った動作を繰り返す", "繰り返す"},
    {ID_CURSOR_LINE_START, "ｶｰｿﾙをこの行の最初の列へ移動", nullptr},
    {ID_CURSOR_LINE_END, "ｶｰｿﾙをこの行の最後の列へ移動", nullptr},
    {ID_CURSOR_FIRST_LINE, "ｶｰｿﾙを最初の行へ移動", nullptr},
    {ID_CURSOR_LAST_LINE, "ｶｰｿﾙを最後の行へ移動", nullptr},
    {ID_EDIT_CUT, "選択範囲を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに移動", nullptr},
    {ID_EDIT_COPY, "選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞへ保存", nullptr},
    {ID_EDIT_PASTE, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を挿入", nullptr},
    {ID_EDIT_PASTE_ADD, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を最後に貼り付け", nullptr},
    {ID_EDIT_COPY_BITMAP, "BMPでコピー", "BMPでコピー"},
    {ID_EDIT_ALL_CHECK, "全てのセルにチェック", nullptr},
    {ID_EDIT_CLEAR_ALL, "全てのセルのチェックを消去", nullptr},
    {ID_EDIT_CHECK, "現在のセルのチェックを切り替え", nullptr},
    {ID_EDIT_FIND, "行と列の名前と詳細を検索", "検索"},
    {ID_EDIT_FIND_NEXT, "次の一致へ移動", nullptr},
    {ID_EDIT_FIND_PREV, "前の一致へ移動", nullptr},
    {ID_NEXT_UNCHECKED, "次の未チェックのセルへ移動", nullptr},
    {ID_LINE_ADD, "行の追加", "行の追加"},
    {ID_LINE_INSERT, "行の挿入", "行の挿入"},
    {ID_LINE_PASTE_TEXT, "テキストを貼り付けて行にします", nullptr},
    {ID_LINE_EDIT, "行の編集", nullptr},
    {ID_LINE_DELETE, "行の削除", "行の削除"},
    {ID_LINE_UP, "行を一つ上へ", "行を一つ上へ"},
    {ID_LINE_DOWN, "行を一つ下へ", "行を一つ下へ"},
    {ID_LINE_CHECK, "この行全てにチェック", nullptr},
    {ID_LINE_UNCHECK, "この行全てのチェックをオフ", nullptr},
    {ID_COLUMN_ADD, "列の追加", "列の追加"},
    {ID_COLUMN_INSERT, "列の挿入", "列の挿入"},
    {ID_COLUMN_PASTE_TEXT, "テキストを貼り付けて列にします", nullptr},
    {ID_COLUMN_EDIT, "列の編集", nullptr},
    {ID_COLUMN_DELETE, "列の削除", "列の削除"},
    {ID_COLUMN_LEFT, "列を一つ左へ", "列を一つ左へ"},
    {ID_COLUMN_RIGHT, "列を一つ右へ", "列を一つ右へ"},
    {ID_COLUMN_CHECK, "この列全てにチェック", nullptr},
    {ID_COLUMN_UNCHECK, "この列全てのチェックをオフ", nullptr},
    {ID_VIEW_SETTINGS, "表示の設定", nullptr},
    {ID_VIEW_OPEN_ONLY, "チェックの残っている行だけを表示", "未チェックの行だけ表示"},
    {ID_VIEW_LINE_LINK, "この行のリンクファイルを開く", "行のリンクファイル"},
    {ID_VIEW_COLUMN_LINK, "この列のリンクファイルを開く", "列のリンクファイル"},
    {ID_VIEW_LINE_FONT, "行のフォント", nullptr},
    {ID_VIEW_COLUMN_FONT, "列のフォント", nullptr},
    {ID_VIEW_TOOLBAR, "ﾂｰﾙ ﾊﾞｰの表示/非表示", nullptr},
    {ID_VIEW_STATUS_BAR, "ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示", nullptr},
    {ID_HELP_FINDER, "ヘルプ目次", "ヘルプ"},
    {ID_HELP_SEARCH, "キーワードでヘルプを検索", nullptr},
    {ID_HELP_HOMEPAGE, "ﾎｰﾑﾍﾟｰｼﾞを開く", nullptr},
    {ID_APP_ABOUT, "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示", nullptr},
};

const std::vector<CMenuPopup> kMenuBar = {
    {"ﾌｧｲﾙ(&F)",
     {{ID_FILE_NEW, "新規作成(&N)\tCtrl+N"},
      {ID_FILE_OPEN, "開く(&O)...\tCtrl+O"},
      {ID_FILE_SAVE, "上書き保存(&S)\tCtrl+S"},
      {ID_FILE_SAVE_AS, "名前を付けて保存(&A)..."},
      {ID_SEPARATOR, nullptr},
      {ID_CSV_IMPORT, "CSVインポート(&I)..."},
      {ID_CSV_EXPORT, "CSV出力(&E)..."},
      {ID_HTML_EXPORT, "HTML出力(&H)..."},
      {ID_SEPARATOR, nullptr},
      {ID_FILE_PRINT, "印刷(&P)...\tCtrl+P"},
      {ID_FILE_PRINT_PREVIEW, "印刷プレビュー(&V)..."},
      {ID_SEPARATOR, nullptr},
      {ID_FILE_MRU_FILE1, "最近使ったﾌｧｲﾙ"},
      {ID_SEPARATOR, nullptr},
      {ID_APP_EXIT, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"}}},
    {"編集(&E)",
     {{ID_EDIT_UNDO, "アンドゥ(\x1EU\x1Fｱ)\tCtrl+Z"},
      {ID_EDIT_REDO, "リドウ(&R)\tCtrl+Y"},
      {ID_SEPARATOR, nullptr},
      {ID_EDIT_CUT, "切り取り(&T)\tCtrl+X"},
      {ID_EDIT_COPY, "コピー(&C)\tCtrl+C"},
      {ID_EDIT_PASTE, "貼り付け - 挿入(&P)\tCtrl+V"},
      {ID_EDIT_PASTE_ADD, "貼り付け - 追加(&A)"},
      {ID_SEPARATOR, nullptr},
      {ID_EDIT_COPY_BITMAP, "BMPでコピー(&B)"},
      {ID_SEPARATOR, nullptr},
      {ID_EDIT_ALL_CHECK, "全てにチェック(&K)..."},
      {ID_EDIT_CLEAR_ALL, "全てのチェックを消去(&Y)..."},
      {ID_SEPARATOR, nullptr},
      {ID_EDIT_CHECK, "チェック(&H)\tSpace"},
      {ID_NEXT_UNCHECKED, "次の未チェックへ移動(&X)\tCtrl+J"},
      {ID_SEPARATOR, nullptr},
      {ID_EDIT_FIND, "検索(&F)...\tCtrl+F"},
      {ID_EDIT_FIND_NEXT, "次を検索(&N)\tF3"},
      {ID_EDIT_FIND_PREV, "前を検索(&V)\tShift+F3"}}},
    {"行(&L)",
     {{ID_LINE_ADD, "行の追加(&A)...\tCtrl+A"},
      {ID_LINE_INSERT, "行の挿入(&S)..."},
      {ID_LINE_PASTE_TEXT, "テキストを行に貼り付け(&T)..."},
      {ID_LINE_EDIT, "行の編集(&E)..."},
      {ID_LINE_DELETE, "行の削除(&D)..."},
      {ID_SEPARATOR, nullptr},
      {ID_LINE_UP, "行を一つ上へ(&U)"},
      {ID_LINE_DOWN, "行を一つ下へ(&W)"},
      {ID_SEPARATOR, nullptr},
      {ID_LINE_CHECK, "この行全てにチェック(&L)..."},
      {ID_LINE_UNCHECK, "この行全てのチェックをオフ(&X)..."}}},
    {"列(&C)",
     {{ID_COLUMN_ADD, "列の追加(&A)..."},
      {ID_COLUMN_INSERT, "列の挿入(&S)..."},
      {ID_COLUMN_PASTE_TEXT, "テキストを列に貼り付け(&T)..."},
      {ID_COLUMN_EDIT, "列の編集(&E)..."},
      {ID_COLUMN_DELETE, "列の削除(&D)..."},
      {ID_SEPARATOR, nullptr},
      {ID_COLUMN_LEFT, "列を一つ左へ(&L)"},
      {ID_COLUMN_RIGHT, "列を一つ右へ(&R)"},
      {ID_SEPARATOR, nullptr},
      {ID_COLUMN_CHECK, "この列全てにチェック(&Z)..."},
      {ID_COLUMN_UNCHECK, "この列全てのチェックをオフ(&J)..."}}},
    {"表示(&V)",
     {{ID_VIEW_SETTINGS, "設定(&O)..."},
      {ID_SEPARATOR, nullptr},
      {ID_VIEW_OPEN_ONLY, "未チェックの行だけ表示(&U)"},
      {ID_SEPARATOR, nullptr},
      {ID_VIEW_LINE_LINK, "この行のリンクファイルを開く(&H)"},
      {ID_VIEW_COLUMN_LINK, "この列のリンクファイルを開く(&L)"},
      {ID_SEPARATOR, nullptr},
      {ID_VIEW_LINE_FONT, "行のフォント(&F)..."},
      {ID_VIEW_COLUMN_FONT, "列のフォント(&G)..."},
      {ID_SEPARATOR, nullptr},
      {ID_VIEW_TOOLBAR, "ﾂｰﾙ ﾊﾞｰ(&T)"},
      {ID_VIEW_STATUS_BAR, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)"}}},
    {"ﾍﾙﾌﾟ(&H)",
     {{ID_HELP_FINDER, "ヘルプ(\x1E"
                       "C\x1Fﾓ)"},
      {ID_HELP_SEARCH, "キーワードで検索(&S)"},
      {ID_SEPARATOR, nullptr},
      {ID_HELP_HOMEPAGE, "ﾎｰﾑﾍﾟｰｼﾞへ(&H)"},
      {ID_SEPARATOR, nullptr},
      {ID_APP_ABOUT, "ﾊﾞｰｼﾞｮﾝ情報(&A)..."}}},
};

const std::vector<CMenuItem> kContextMenu = {
    {ID_LINE_ADD, "行の追加(&A)...\tCtrl+A"},
    {ID_LINE_INSERT, "行の挿入(&S)..."},
    {ID_LINE_EDIT, "行の編集(&E)..."},
    {ID_LINE_DELETE, "行の削除(&D)..."},
    {ID_SEPARATOR, nullptr},
    {ID_COLUMN_ADD, "列の追加(&C)..."},
    {ID_COLUMN_INSERT, "列の挿入(&I)..."},
    {ID_COLUMN_EDIT, "列の編集(&G)..."},
    {ID_COLUMN_DELETE, "列の削除(&R)..."},
    {ID_SEPARATOR, nullptr},
    {ID_LINE_CHECK, "この行全てにチェック(&L)..."},
    {ID_LINE_UNCHECK, "この行全てのチェックをオフ(&X)..."},
    {ID_SEPARATOR, nullptr},
    {ID_COLUMN_CHECK, "この列全てにチェック(&Z)..."},
    {ID_COLUMN_UNCHECK, "この列全てのチェックをオフ(&J)..."},
    {ID_SEPARATOR, nullptr},
    {ID_VIEW_COLUMN_LINK, "この列のリンクファイルを開く(&L)"},
    {ID_VIEW_LINE_LINK, "この行のリンクファイルを開く(&H)"},
};

const std::vector<UINT> kToolBar = {
    ID_FILE_NEW,         ID_FILE_OPEN,        ID_FILE_SAVE,      ID_SEPARATOR,
    ID_EDIT_UNDO,        ID_EDIT_REDO,        ID_SEPARATOR,      ID_LINE_ADD,
    ID_COLUMN_ADD,       ID_SEPARATOR,        ID_LINE_INSERT,    ID_COLUMN_INSERT,
    ID_SEPARATOR,        ID_LINE_DELETE,      ID_COLUMN_DELETE,  ID_SEPARATOR,
    ID_VIEW_LINE_LINK,   ID_VIEW_COLUMN_LINK, ID_SEPARATOR,      ID_LINE_UP,
    ID_LINE_DOWN,        ID_SEPARATOR,        ID_COLUMN_LEFT,    ID_COLUMN_RIGHT,
    ID_SEPARATOR,        ID_CSV_EXPORT,       ID_HTML_EXPORT,    ID_SEPARATOR,
    ID_EDIT_COPY_BITMAP, ID_SEPARATOR,        ID_VIEW_OPEN_ONLY, ID_SEPARATOR,
    ID_HELP_FINDER};

const std::vector<CAccelerator> kAccelerators = {
    {Qt::Key_A, Qt::ControlModifier, ID_LINE_ADD},
    {Qt::Key_C, Qt::ControlModifier, ID_EDIT_COPY},
    {Qt::Key_Insert, Qt::ControlModifier, ID_EDIT_COPY},
    {Qt::Key_X, Qt::ControlModifier, ID_EDIT_CUT},
    {Qt::Key_Delete, Qt::ShiftModifier, ID_EDIT_CUT},
    {Qt::Key_V, Qt::ControlModifier, ID_EDIT_PASTE},
    {Qt::Key_Insert, Qt::ShiftModifier, ID_EDIT_PASTE},
    {Qt::Key_Z, Qt::ControlModifier, ID_EDIT_UNDO},
    {Qt::Key_Backspace, Qt::AltModifier, ID_EDIT_UNDO},
    {Qt::Key_Y, Qt::ControlModifier, ID_EDIT_REDO},
    {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, ID_EDIT_REDO},
    {Qt::Key_N, Qt::ControlModifier, ID_FILE_NEW},
    {Qt::Key_O, Qt::ControlModifier, ID_FILE_OPEN},
    {Qt::Key_S, Qt::ControlModifier, ID_FILE_SAVE},
    {Qt::Key_P, Qt::ControlModifier, ID_FILE_PRINT},
    {Qt::Key_Up, Qt::ControlModifier, ID_LINE_UP},
    {Qt::Key_Down, Qt::ControlModifier, ID_LINE_DOWN},
    {Qt::Key_Left, Qt::ControlModifier, ID_COLUMN_LEFT},
    {Qt::Key_Right, Qt::ControlModifier, ID_COLUMN_RIGHT},
    {Qt::Key_Return, Qt::NoModifier, ID_LINE_EDIT},
    {Qt::Key_Enter, Qt::KeypadModifier, ID_LINE_EDIT},
    {Qt::Key_Return, Qt::ShiftModifier, ID_COLUMN_EDIT},
    {Qt::Key_Enter, Qt::ShiftModifier | Qt::KeypadModifier, ID_COLUMN_EDIT},
    {Qt::Key_Space, Qt::NoModifier, ID_EDIT_CHECK},
    {Qt::Key_F, Qt::ControlModifier, ID_EDIT_FIND},
    {Qt::Key_F3, Qt::NoModifier, ID_EDIT_FIND_NEXT},
    {Qt::Key_F3, Qt::ShiftModifier, ID_EDIT_FIND_PREV},
    {Qt::Key_J, Qt::ControlModifier, ID_NEXT_UNCHECKED},
    {Qt::Key_Home, Qt::NoModifier, ID_CURSOR_LINE_START},
    {Qt::Key_End, Qt::NoModifier, ID_CURSOR_LINE_END},
    {Qt::Key_Home, Qt::ControlModifier, ID_CURSOR_FIRST_LINE},
    {Qt::Key_End, Qt::ControlModifier, ID_CURSOR_LAST_LINE},
    {Qt::Key_F6, Qt::NoModifier, ID_NEXT_PANE},
    {Qt::Key_F6, Qt::ShiftModifier, ID_PREV_PANE},
};

} // namespace

const CCommandInfo* FindCommand(UINT id) {
    for (const CCommandInfo& c : kCommands)
        if (c.id == id)
            return &c;
    return nullptr;
}

const std::vector<CMenuPopup>& MenuBarTable() {
    return kMenuBar;
}

const std::vector<CMenuItem>& ContextMenuTable() {
    return kContextMenu;
}

const std::vector<UINT>& ToolBarTable() {
    return kToolBar;
}

const std::vector<CAccelerator>& AcceleratorTable() {
    return kAccelerators;
}

UINT AcceleratorCommand(int key, Qt::KeyboardModifiers mods) {
    for (const CAccelerator& a : kAccelerators)
        if (a.key == key && a.mods == mods)
            return a.id;
    return 0;
}

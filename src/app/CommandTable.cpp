#include "app/CommandTable.h"

#include <QAction>
#include <QMenu>
#include <QString>

namespace {

// The second half of a tool bar command's string: its tool tip.
const std::vector<CCommandInfo> kCommands = {
    {57600, "新規にﾌｧｲﾙを作成", "新規ﾌｧｲﾙ"},
    {57601, "既存のﾌｧｲﾙを開く", "開く"},
    {57603, "作業中のﾌｧｲﾙを上書きして保存", "保存"},
    {57604, "作業中のﾌｧｲﾙを新しい名前で保存", nullptr},
    {57607, "作業中のﾌｧｲﾙを印刷", nullptr},
    {57609, "印刷ｲﾒｰｼﾞを表示", nullptr},
    {57616, "指定のﾌｧｲﾙを開く", nullptr},
    {57617, "指定のﾌｧｲﾙを開く", nullptr},
    {57618, "指定のﾌｧｲﾙを開く", nullptr},
    {57619, "指定のﾌｧｲﾙを開く", nullptr},
    {57620, "指定のﾌｧｲﾙを開く", nullptr},
    {57621, "指定のﾌｧｲﾙを開く", nullptr},
    {57622, "指定のﾌｧｲﾙを開く", nullptr},
    {57623, "指定のﾌｧｲﾙを開く", nullptr},
    {57624, "指定のﾌｧｲﾙを開く", nullptr},
    {57665, "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示", nullptr},
    {32780, "CSVﾌｧｲﾙを読み込んで行と列を追加", nullptr},
    {32781, "CSV出力", "CSV出力"},
    {32784, "HTML出力", "HTML出力"},
    {57643, "直前に行った動作を元に戻す", "元に戻す"},
    {57644, "直前に行った動作を繰り返す", "繰り返す"},
    {57635, "選択範囲を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに移動", nullptr},
    {57634, "選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞへ保存", nullptr},
    {57637, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を挿入", nullptr},
    {32809, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を最後に貼り付け", nullptr},
    {32783, "BMPでコピー", "BMPでコピー"},
    {32791, "全てのセルにチェック", nullptr},
    {57633, "全てのセルのチェックを消去", nullptr},
    {32775, "現在のセルのチェックを切り替え", nullptr},
    {32771, "行の追加", "行の追加"},
    {32790, "行の挿入", "行の挿入"},
    {32786, "テキストを貼り付けて行にします", nullptr},
    {32776, "行の編集", nullptr},
    {32777, "行の削除", "行の削除"},
    {32801, "行を一つ上へ", "行を一つ上へ"},
    {32802, "行を一つ下へ", "行を一つ下へ"},
    {32792, "この行全てにチェック", nullptr},
    {32794, "この行全てのチェックをオフ", nullptr},
    {32772, "列の追加", "列の追加"},
    {32789, "列の挿入", "列の挿入"},
    {32785, "テキストを貼り付けて列にします", nullptr},
    {32778, "列の編集", nullptr},
    {32779, "列の削除", "列の削除"},
    {32805, "列を一つ左へ", "列を一つ左へ"},
    {32806, "列を一つ右へ", "列を一つ右へ"},
    {32793, "この列全てにチェック", nullptr},
    {32795, "この列全てのチェックをオフ", nullptr},
    {32782, "表示の設定", nullptr},
    {32787, "この行のリンクファイルを開く", "行のリンクファイル"},
    {32788, "この列のリンクファイルを開く", "列のリンクファイル"},
    {32773, "行のフォント", nullptr},
    {32774, "列のフォント", nullptr},
    {59392, "ﾂｰﾙ ﾊﾞｰの表示/非表示", nullptr},
    {59393, "ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示", nullptr},
    {57667, "ヘルプ目次", "ヘルプ"},
    {32810, "キーワードでヘルプを検索", nullptr},
    {32835, "ﾎｰﾑﾍﾟｰｼﾞを開く", nullptr},
    {57664, "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示", nullptr},
};

const std::vector<CMenuPopup> kMenuBar = {
    {"ﾌｧｲﾙ(&F)",
     {{57600, "新規作成(&N)\tCtrl+N"},
      {57601, "開く(&O)...\tCtrl+O"},
      {57603, "上書き保存(&S)\tCtrl+S"},
      {57604, "名前を付けて保存(&A)..."},
      {0, nullptr},
      {32780, "CSVインポート(&I)..."},
      {32781, "CSV出力(&E)..."},
      {32784, "HTML出力(&H)..."},
      {0, nullptr},
      {57616, "最近使ったﾌｧｲﾙ"},
      {0, nullptr},
      {57665, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"}}},
    {"編集(&E)",
     {{57643, "アンドゥ(\x1EU\x1Fｱ)\tCtrl+Z"},
      {57644, "リドウ(&R)"},
      {0, nullptr},
      {57635, "切り取り(&T)\tCtrl+X"},
      {57634, "コピー(&C)\tCtrl+C"},
      {57637, "貼り付け - 挿入(&P)\tCtrl+V"},
      {32809, "貼り付け - 追加(&A)"},
      {0, nullptr},
      {32783, "BMPでコピー(&B)"},
      {0, nullptr},
      {32791, "全てにチェック(&K)..."},
      {57633, "全てのチェックを消去(&Y)..."},
      {0, nullptr},
      {32775, "チェック(&H)\tSpace"}}},
    {"行(&L)",
     {{32771, "行の追加(&A)...\tCtrl+A"},
      {32790, "行の挿入(&S)..."},
      {32786, "テキストを行に貼り付け(&T)..."},
      {32776, "行の編集(&E)..."},
      {32777, "行の削除(&D)..."},
      {0, nullptr},
      {32801, "行を一つ上へ(&U)"},
      {32802, "行を一つ下へ(&W)"},
      {0, nullptr},
      {32792, "この行全てにチェック(&L)..."},
      {32794, "この行全てのチェックをオフ(&X)..."}}},
    {"列(&C)",
     {{32772, "列の追加(&A)..."},
      {32789, "列の挿入(&S)..."},
      {32785, "テキストを列に貼り付け(&T)..."},
      {32778, "列の編集(&E)..."},
      {32779, "列の削除(&D)..."},
      {0, nullptr},
      {32805, "列を一つ左へ(&L)"},
      {32806, "列を一つ右へ(&R)"},
      {0, nullptr},
      {32793, "この列全てにチェック(&Z)..."},
      {32795, "この列全てのチェックをオフ(&J)..."}}},
    {"表示(&V)",
     {{32782, "設定(&O)..."},
      {0, nullptr},
      {32787, "この行のリンクファイルを開く(&H)"},
      {32788, "この列のリンクファイルを開く(&L)"},
      {0, nullptr},
      {32773, "行のフォント(&F)..."},
      {32774, "列のフォント(&G)..."},
      {0, nullptr},
      {59392, "ﾂｰﾙ ﾊﾞｰ(&T)"},
      {59393, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)"}}},
    {"ﾍﾙﾌﾟ(&H)",
     {{57667, "ヘルプ(\x1E"
              "C\x1Fﾓ)"},
      {32810, "キーワードで検索(&S)"},
      {0, nullptr},
      {32835, "ﾎｰﾑﾍﾟｰｼﾞへ(&H)"},
      {0, nullptr},
      {57664, "ﾊﾞｰｼﾞｮﾝ情報(&A)..."}}},
};

const std::vector<CMenuItem> kContextMenu = {
    {32771, "行の追加(&A)...\tCtrl+A"},
    {32790, "行の挿入(&S)..."},
    {32776, "行の編集(&E)..."},
    {32777, "行の削除(&D)..."},
    {0, nullptr},
    {32772, "列の追加(&C)..."},
    {32789, "列の挿入(&I)..."},
    {32778, "列の編集(&G)..."},
    {32779, "列の削除(&R)..."},
    {0, nullptr},
    {32792, "この行全てにチェック(&L)..."},
    {32794, "この行全てのチェックをオフ(&X)..."},
    {0, nullptr},
    {32793, "この列全てにチェック(&Z)..."},
    {32795, "この列全てのチェックをオフ(&J)..."},
    {0, nullptr},
    {32788, "この列のリンクファイルを開く(&L)"},
    {32787, "この行のリンクファイルを開く(&H)"},
};

const std::vector<UINT> kToolBar = {57600, 57601, 57603, 0, 57643, 57644, 0, 32771, 32772, 0,
                                    32790, 32789, 0,     32777, 32779, 0,     32787, 32788, 0, 32801,
                                    32802, 0,     32805, 32806, 0,     32781, 32784, 0,     32783, 0,
                                    57667};

const std::vector<CAccelerator> kAccelerators = {
    {Qt::Key_A, Qt::ControlModifier, 32771},
    {Qt::Key_C, Qt::ControlModifier, 57634},
    {Qt::Key_Insert, Qt::ControlModifier, 57634},
    {Qt::Key_X, Qt::ControlModifier, 57635},
    {Qt::Key_Delete, Qt::ShiftModifier, 57635},
    {Qt::Key_V, Qt::ControlModifier, 57637},
    {Qt::Key_Insert, Qt::ShiftModifier, 57637},
    {Qt::Key_Z, Qt::ControlModifier, 57643},
    {Qt::Key_Backspace, Qt::AltModifier, 57643},
    {Qt::Key_N, Qt::ControlModifier, 57600},
    {Qt::Key_O, Qt::ControlModifier, 57601},
    {Qt::Key_S, Qt::ControlModifier, 57603},
    {Qt::Key_P, Qt::ControlModifier, 57607},
    {Qt::Key_Up, Qt::ControlModifier, 32801},
    {Qt::Key_Down, Qt::ControlModifier, 32802},
    {Qt::Key_Left, Qt::ControlModifier, 32805},
    {Qt::Key_Right, Qt::ControlModifier, 32806},
    {Qt::Key_Return, Qt::NoModifier, 32776},
    {Qt::Key_Enter, Qt::KeypadModifier, 32776},
    {Qt::Key_Return, Qt::ShiftModifier, 32778},
    {Qt::Key_Enter, Qt::ShiftModifier | Qt::KeypadModifier, 32778},
    {Qt::Key_Space, Qt::NoModifier, 32775},
    {Qt::Key_F6, Qt::NoModifier, 57680},
    {Qt::Key_F6, Qt::ShiftModifier, 57681},
};

CCmdTarget* g_pRoute = nullptr;

void AddItems(QMenu* menu, const std::vector<CMenuItem>& items) {
    for (const CMenuItem& item : items) {
        if (item.id == ID_SEPARATOR)
            menu->addSeparator();
        else
            menu->addAction(CreateCommandAction(item.id, QString::fromUtf8(item.text), menu));
    }
}

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

void SetCommandRoute(CCmdTarget* pRoot) {
    g_pRoute = pRoot;
}

CCmdTarget* CommandRoute() {
    return g_pRoute;
}

CCmdUI UpdateCommand(UINT id) {
    CCmdUI ui;
    ui.m_nID = id;
    if (!g_pRoute || !g_pRoute->OnUpdateCmdUI(ui))
        ui.m_bEnabled = false;
    return ui;
}

bool RunCommand(UINT id) {
    if (!UpdateCommand(id).m_bEnabled)
        return false;
    return g_pRoute->OnCmdMsg(id);
}

QAction* CreateCommandAction(UINT id, const QString& text, QObject* parent) {
    auto* action = new QAction(text, parent);
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
    if (menuId != kMenuContext)
        return nullptr;
    auto* menu = new QMenu(parent);
    AddItems(menu, kContextMenu);
    UpdateMenuActions(menu);
    return menu;
}

#pragma once
// The settings dialog (template 132, "設定"): the sheet's two widths in
// characters, its row height factor and CSV mark style, the switch that
// reopens the last file at start-up, and the nine grid colours, each on a
// colour button. The caller fills the five plain members and reads them back
// after IDOK. It also puts the sheet's look into m_look: the buttons start
// from its colours, and OK stores them (setting, colour and pen) before it
// checks the numbers, so colours stay stored even when a bad number keeps it
// open. After either answer, ColorsStored() says m_look is a new look for
// the sheet.
// Numbers are read and shown the same under every locale.
#include <QDialog>
#include <QString>
#include <optional>

#include "dialogs/ColorBtn.h"
#include "fw/Types.h"
#include "model/DisplaySettings.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

class CSetDlg : public QDialog {
    Q_OBJECT
public:
    enum { IDD = 132 };
    enum : int {
        IDC_LINENAME_WIDTH = 1001,
        IDC_COLUMN_WIDTH = 1002,
        IDC_LINE_HEIGHT = 1003,
        IDC_CSV_MARK = 1004,
        IDC_WAKU_COLOR = 1011,
        IDC_LINE_COLOR = 1012,
        IDC_TEXT_COLOR = 1013,
        IDC_CHECK_COLOR = 1014,
        IDC_BACK_COLOR = 1015,
        IDC_CHECKBACK_COLOR = 1016,
        IDC_SEL_COLOR = 1017,
        IDC_SELTEXT_COLOR = 1018,
        IDC_CELL_COLOR = 1019,
        IDC_OPEN_LAST_FILE = 1020
    };

    explicit CSetDlg(QWidget* pParent = nullptr);

    CColorBtn m_btnWakuColor;
    CColorBtn m_btnLineColor;
    CColorBtn m_btnTextColor;
    CColorBtn m_btnCheckColor;
    CColorBtn m_btnCheckBackColor;
    CColorBtn m_btnBackColor;
    CColorBtn m_btnSelColor;
    CColorBtn m_btnSelTextColor;
    CColorBtn m_btnCellColor;
    UINT m_nColumnWidth = 0;
    UINT m_nLineNameWidth = 0;
    int m_nCsvMark = -1;
    double m_dLineHeightRate = 0.0;
    BOOL m_bOpenLastFile = 0;
    CDisplaySettings m_look;
    bool ColorsStored() const { return m_bColorsStored; }

    // IDOK or IDCANCEL.
    int DoModal();

    // Fills the list, puts the members into the controls, centres the dialog
    // and gives each colour button its current colour.
    void OnInitDialog();
    // Members into controls, or controls into members with the checks and
    // their messages (the first failing box gets the focus back; the members
    // change only when every box is good).
    void MembersToControls();
    bool ControlsToMembers();
    // Each button's colour into its setting, m_look's colours and its pens.
    void StoreColors();
    // OK: the colours first, then the checks.
    void accept() override;

    // The boxes' number rules, blanks and tabs around the number allowed.
    // A width: digits only, 0 included, no sign; nullopt otherwise.
    static std::optional<UINT> ParseWidth(const QString& text);
    // The row height: nullopt for text that is not a decimal number.
    static std::optional<double> ParseRate(const QString& text);
    // The shortest general form with up to 15 significant digits ("1.5").
    static QString FormatRate(double value);

    // The widest width in characters the grid can lay out in pixels.
    static constexpr UINT kMaxWidth = 32767;
    static constexpr double kMinRate = 1.0;
    static constexpr double kMaxRate = 100.0;

private:
    // The button of each colour setting, in the order OK stores them.
    struct ColorSlot;
    static const ColorSlot kColorSlots[9];
    // Shows an exclamation box and puts the focus back into the box.
    void Fail(QLineEdit* box, const char* text);

    QLineEdit* m_pLineNameWidth = nullptr;
    QLineEdit* m_pColumnWidth = nullptr;
    QLineEdit* m_pLineHeight = nullptr;
    QComboBox* m_pCsvMark = nullptr;
    QCheckBox* m_pOpenLastFile = nullptr;
    bool m_bColorsStored = false;
};

#include "dialogs/SetDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

#include "dialogs/CenterWindow.h"
#include "dialogs/DialogUnits.h"
#include "fw/UserInterface.h"
#include "model/DisplaySettings.h"
#include "model/Settings.h"

struct CSetDlg::ColorSlot {
    CColorBtn CSetDlg::*button;
    const CSettingDef* setting;
    COLORREF CDisplaySettings::*current;
};

// The order in which OK stores them.
const CSetDlg::ColorSlot CSetDlg::kColorSlots[9] = {
    {&CSetDlg::m_btnWakuColor, &settings::WakuColor, &CDisplaySettings::WakuColor},
    {&CSetDlg::m_btnLineColor, &settings::LineColor, &CDisplaySettings::LineColor},
    {&CSetDlg::m_btnTextColor, &settings::TextColor, &CDisplaySettings::TextColor},
    {&CSetDlg::m_btnCheckColor, &settings::CheckColor, &CDisplaySettings::CheckColor},
    {&CSetDlg::m_btnBackColor, &settings::BackColor, &CDisplaySettings::BackColor},
    {&CSetDlg::m_btnCheckBackColor, &settings::CheckBackColor, &CDisplaySettings::CheckBackColor},
    {&CSetDlg::m_btnSelColor, &settings::SelColor, &CDisplaySettings::SelColor},
    {&CSetDlg::m_btnCellColor, &settings::CellColor, &CDisplaySettings::CellColor},
    {&CSetDlg::m_btnSelTextColor, &settings::SelTextColor, &CDisplaySettings::SelTextColor},
};

namespace {

const char kNotUnsigned[] = "正の整数を入力してください。";
const char kNotNumber[] = "数字を入力してください。";

// What the box offers to the number readers: its first 31 characters, less
// the blanks and tabs around them, as 8-bit text (anything else fails).
std::string NumberText(const QString& text) {
    const QString s = text.left(31);
    qsizetype b = 0, e = s.size();
    auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (b < e && blank(s[b]))
        ++b;
    while (e > b && blank(s[e - 1]))
        --e;
    return s.mid(b, e - b).toStdString();
}

} // namespace

CSetDlg::CSetDlg(QWidget* pParent)
    : QDialog(pParent ? pParent : QApplication::activeWindow()), m_btnWakuColor(this),
      m_btnLineColor(this), m_btnTextColor(this), m_btnCheckColor(this), m_btnCheckBackColor(this),
      m_btnBackColor(this), m_btnSelColor(this), m_btnSelTextColor(this), m_btnCellColor(this) {
    setObjectName(QString::number(IDD));
    setWindowTitle(QStringLiteral("設定"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(CDialogUnits::DialogFont());
    CDialogUnits du(font());
    setFixedSize(du.Size(251, 187));

    auto label = [&](const char* text, int x, int y, int w, QWidget* buddy) {
        auto* l = new QLabel(QString::fromUtf8(text), this);
        l->setGeometry(du.Rect(x, y, w, 8));
        if (buddy)
            l->setBuddy(buddy);
        return l;
    };
    auto edit = [&](int id, int y) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QStringLiteral("idc%1").arg(id));
        e->setGeometry(du.Rect(90, y, 36, 12));
        return e;
    };

    m_pLineNameWidth = edit(IDC_LINENAME_WIDTH, 7);
    label("行名の幅(&W):", 7, 9, 80, m_pLineNameWidth);
    m_pColumnWidth = edit(IDC_COLUMN_WIDTH, 23);
    label("列名の幅(&L):", 7, 25, 80, m_pColumnWidth);
    m_pLineHeight = edit(IDC_LINE_HEIGHT, 39);
    label("行の高さ(&H):", 7, 41, 80, m_pLineHeight);
    m_pCsvMark = new QComboBox(this);
    m_pCsvMark->setObjectName(QStringLiteral("idc%1").arg(IDC_CSV_MARK));
    m_pCsvMark->setGeometry(du.Rect(90, 55, 50, 13));
    label("CSV出力時のマーク(&M):", 7, 58, 80, m_pCsvMark);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("idok"));
    ok->setGeometry(du.Rect(194, 7, 50, 14));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("idcancel"));
    cancel->setGeometry(du.Rect(194, 24, 50, 14));
    cancel->setAutoDefault(false);

    // The nine colours in two columns, pairs side by side.
    struct Place {
        CColorBtn* button;
        int id;
        const char* text;
    };
    const Place colors[] = {
        {&m_btnWakuColor, IDC_WAKU_COLOR, "枠線・縦線の色(&K):"},
        {&m_btnLineColor, IDC_LINE_COLOR, "横線の色(&Y):"},
        {&m_btnTextColor, IDC_TEXT_COLOR, "文字の色(&S):"},
        {&m_btnCheckColor, IDC_CHECK_COLOR, "チェックの色(&C):"},
        {&m_btnBackColor, IDC_BACK_COLOR, "背景色(&B):"},
        {&m_btnCheckBackColor, IDC_CHECKBACK_COLOR, "チェック背景色(&V):"},
        {&m_btnSelColor, IDC_SEL_COLOR, "選択色(&J):"},
        {&m_btnSelTextColor, IDC_SELTEXT_COLOR, "選択文字色(&T):"},
        {&m_btnCellColor, IDC_CELL_COLOR, "カーソル色(&X):"},
    };
    for (int i = 0; i < 9; ++i) {
        const int x = i % 2 == 0 ? 7 : 128;
        const int y = 78 + 18 * (i / 2);
        const Place& p = colors[i];
        p.button->setObjectName(QStringLiteral("idc%1").arg(p.id));
        p.button->setGeometry(du.Rect(x + 78, y, 38, 14));
        label(p.text, x, y + 3, 76, p.button);
    }
    label("文字数、小数点可", 130, 41, 64, nullptr);

    m_pOpenLastFile = new QCheckBox(QStringLiteral("前回ファイルを開く(&A)"), this);
    m_pOpenLastFile->setObjectName(QStringLiteral("idc%1").arg(IDC_OPEN_LAST_FILE));
    m_pOpenLastFile->setGeometry(du.Rect(7, 170, 120, 10));

    // Tab order as the template lists the controls.
    QWidget* order[] = {m_pLineNameWidth,
                        m_pColumnWidth,
                        m_pLineHeight,
                        m_pCsvMark,
                        ok,
                        cancel,
                        &m_btnWakuColor,
                        &m_btnLineColor,
                        &m_btnTextColor,
                        &m_btnCheckColor,
                        &m_btnBackColor,
                        &m_btnCheckBackColor,
                        &m_btnSelColor,
                        &m_btnSelTextColor,
                        &m_btnCellColor,
                        m_pOpenLastFile};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(ok, &QPushButton::clicked, this, &CSetDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CSetDlg::reject);
}

int CSetDlg::DoModal() {
    OnInitDialog();
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CSetDlg::OnInitDialog() {
    m_pCsvMark->clear();
    m_pCsvMark->addItem(QStringLiteral("○と×"));
    m_pCsvMark->addItem(QStringLiteral("1と0"));
    MembersToControls();
    CenterWindow(this, size());
    for (const ColorSlot& slot : kColorSlots)
        (this->*slot.button).m_color = m_look.*slot.current;
    m_pLineNameWidth->setFocus();
    m_pLineNameWidth->selectAll();
}

void CSetDlg::MembersToControls() {
    m_pColumnWidth->setText(QString::number(m_nColumnWidth));
    m_pLineNameWidth->setText(QString::number(m_nLineNameWidth));
    // An index the list lacks shows no selection.
    m_pCsvMark->setCurrentIndex(m_nCsvMark >= 0 && m_nCsvMark < m_pCsvMark->count() ? m_nCsvMark
                                                                                    : -1);
    m_pLineHeight->setText(FormatRate(m_dLineHeightRate));
    m_pOpenLastFile->setChecked(m_bOpenLastFile != 0);
}

std::optional<UINT> CSetDlg::ParseWidth(const QString& text) {
    const std::string s = NumberText(text);
    std::size_t i = s.size() > 0 && s[0] == '+' ? 1 : 0;
    if (i == s.size())
        return std::nullopt;
    for (std::size_t j = i; j < s.size(); ++j)
        if (s[j] < '0' || s[j] > '9')
            return std::nullopt;
    unsigned long long value = 0;
    const auto [end, ec] = std::from_chars(s.data() + i, s.data() + s.size(), value);
    // Wider than the grid can lay out: a pixel width past the integers.
    if (ec != std::errc() || end != s.data() + s.size() || value > kMaxWidth)
        return std::nullopt;
    return static_cast<UINT>(value);
}

std::optional<double> CSetDlg::ParseRate(const QString& text) {
    const std::string s = NumberText(text);
    if (s.empty())
        return std::nullopt;
    const char* first = s.data();
    const char* last = s.data() + s.size();
    if (*first == '+' && first + 1 < last && first[1] != '-')
        ++first;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (end != last || (ec != std::errc() && ec != std::errc::result_out_of_range))
        return std::nullopt;
    // Too large for a double is out of any range the box takes. Too small
    // reads as 0, and a 0 not written with a leading "0" is no number. With
    // at most 31 characters, only the exponent's sign tells the two apart.
    if (ec == std::errc::result_out_of_range) {
        const std::size_t e = s.find_first_of("eE");
        if (e != std::string::npos && e + 1 < s.size() && s[e + 1] == '-')
            return s[0] == '0' ? std::optional<double>(0.0) : std::nullopt;
        return -1.0;
    }
    // "nan" or "inf" would slip past the range check and break the layout.
    if (!std::isfinite(value))
        return std::nullopt;
    if (value == 0.0 && s[0] != '0')
        return std::nullopt;
    return value;
}

QString CSetDlg::FormatRate(double value) {
    char buf[64];
    const auto [end, ec] =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    return ec == std::errc() ? QString::fromLatin1(buf, end - buf) : QString();
}

void CSetDlg::Fail(QLineEdit* box, const char* text) {
    AfxGetUserInterface().MessageBox(text, MB_OK | MB_ICONEXCLAMATION);
    box->setFocus();
    box->selectAll();
}

bool CSetDlg::ControlsToMembers() {
    const std::optional<UINT> columnWidth = ParseWidth(m_pColumnWidth->text());
    if (!columnWidth) {
        Fail(m_pColumnWidth, kNotUnsigned);
        return false;
    }
    const std::optional<UINT> lineNameWidth = ParseWidth(m_pLineNameWidth->text());
    if (!lineNameWidth) {
        Fail(m_pLineNameWidth, kNotUnsigned);
        return false;
    }
    const std::optional<double> rate = ParseRate(m_pLineHeight->text());
    if (!rate) {
        Fail(m_pLineHeight, kNotNumber);
        return false;
    }
    if (*rate < kMinRate || *rate > kMaxRate) {
        const QString text = QStringLiteral("%1 から %2 までの数字を入力してください。")
                                 .arg(FormatRate(kMinRate), FormatRate(kMaxRate));
        Fail(m_pLineHeight, text.toUtf8().constData());
        return false;
    }
    m_nColumnWidth = *columnWidth;
    m_nLineNameWidth = *lineNameWidth;
    m_nCsvMark = m_pCsvMark->currentIndex();
    m_dLineHeightRate = *rate;
    m_bOpenLastFile = m_pOpenLastFile->isChecked() ? 1 : 0;
    return true;
}

void CSetDlg::StoreColors() {
    for (const ColorSlot& slot : kColorSlots) {
        const COLORREF color = (this->*slot.button).m_color;
        WriteSettingInt(*slot.setting, static_cast<int>(color));
        m_look.*slot.current = color;
    }
    // The three coloured pens follow their colours.
    const CDisplaySettings& d = m_look;
    m_look.SetColors(d.WakuColor, d.LineColor, d.TextColor, d.CheckColor, d.BackColor,
                     d.CheckBackColor, d.SelColor, d.SelTextColor, d.CellColor);
    m_bColorsStored = true;
}

void CSetDlg::accept() {
    StoreColors();
    if (!ControlsToMembers())
        return;
    QDialog::accept();
}

#pragma once
// The new-file dialog (template 139, "新規ファイル作成"): one multi-line box in
// which the user types the row names, one a line. "作成" (OK) builds the sheet
// from them, "データ無し" (Cancel), Esc and the close box give an empty sheet.
// The box keeps bare line feeds; m_strLines hands the text out with CR LF
// pairs, as the platform's edit box does. Text that code page 932 cannot hold
// is refused with a notice naming the characters, and the dialog stays open.
#include <QDialog>
#include <QString>
#include <string>

#include "fw/UserInterface.h"

class QPlainTextEdit;
class QPushButton;

class CNewFileDlg : public QDialog, public CModalDialog {
    Q_OBJECT
public:
    enum { IDD = 139 };
    enum : int { IDC_LINES = 1021 };

    explicit CNewFileDlg(QWidget* pParent = nullptr);

    // The whole text of the box, lines separated by CR LF.
    QString m_strLines;

    // IDOK or IDCANCEL, through the user-interaction interface. An answer
    // given in the user's place fills m_strLines, which must pass the same
    // check as typed text.
    int DoModal();
    int ShowModal() override;

    // The box's text in code page 932 (CR LF line ends), for BuildNewSheet;
    // valid after DoModal() returned IDOK.
    const std::string& LinesCp932() const { return m_strLinesCp932; }

    void accept() override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    // Encodes text (CR LF line ends) into m_strLinesCp932; on characters code
    // page 932 lacks, shows the notice and returns false, members untouched.
    bool TakeLines(const QString& text);
    void PlaceDialog();

    QPlainTextEdit* m_pLines = nullptr;
    std::string m_strLinesCp932;
    bool m_bTaken = false; // the lines passed the check in this DoModal()
};

#pragma once
// Finding in the grid: the find bar under the grid (not modal: the grid
// keeps working while it is open), find next and previous, which wrap
// around, and the jump to the next unchecked check cell. The view owns one
// and forwards its commands to it.
#include <optional>
#include <span>
#include <string>
#include <vector>

#include <QToolBar>

#include "fw/CmdTarget.h"
#include "model/SheetFind.h"

class CViewHost;
class CSheetFile;
class QLabel;
class QLineEdit;

// The bar: the text to find, the place of the current match ("n / m 件")
// and a close button. Esc closes it and gives the grid its focus back.
class CFindBar : public QToolBar {
    Q_OBJECT
public:
    explicit CFindBar(QWidget* parent);
    QLineEdit* Edit() const { return m_pEdit; }
    QLabel* Result() const { return m_pResult; }

signals:
    void findNext(int direction);
    void textEdited();
    void closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_pEdit;
    QLabel* m_pResult;
};

class CFindCommands : public CCommandTable<CFindCommands> {
public:
    explicit CFindCommands(CViewHost* pHost) : m_pHost(pHost) {}

    static std::span<const Command> Commands();

    // Opens the bar with its text selected, ready to type.
    void OnFind();
    // To the next (+1) or previous (-1) match, wrapping around; with no text
    // yet, opens the bar instead.
    void OnFindNext(int direction);
    // To the next unchecked check cell; beeps and says so when none is left.
    void OnNextUnchecked();

    // The bar once it was opened, else null.
    CFindBar* Bar() const { return m_pBar; }

private:
    CSheetFile& Sheet() const;
    CFindBar* EnsureBar();
    // Every match of the bar's text in what the grid shows.
    std::vector<CFindMatch> Matches() const;
    // Shows "n / m 件" for match n of m (0: only the count), or "見つかりません".
    void ShowResult(int n, int m);
    void Prompt(const char* text);

    CViewHost* m_pHost;
    CFindBar* m_pBar = nullptr;
    // The match moved to last: the next search goes on from it while the
    // cursor is still there.
    std::optional<CFindMatch> m_last;
};

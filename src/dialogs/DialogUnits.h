#pragma once
// Converts the dialog templates' units into pixels for the dialog's font:
// horizontally a quarter of the average character width, vertically an
// eighth of the character height, as dialog templates are measured.
#include <QFont>
#include <QRect>
#include <QSize>

class CDialogUnits {
public:
    explicit CDialogUnits(const QFont& font);
    // Base units from given averages (pixels), for fonts measured elsewhere.
    CDialogUnits(int baseX, int baseY) : m_nBaseX(baseX), m_nBaseY(baseY) {}

    // The 9-point face every dialog template of the program names.
    static QFont DialogFont();

    int X(int du) const { return (du * m_nBaseX + 2) / 4; }
    int Y(int du) const { return (du * m_nBaseY + 4) / 8; }
    QSize Size(int w, int h) const { return QSize(X(w), Y(h)); }
    QRect Rect(int x, int y, int w, int h) const { return QRect(X(x), Y(y), X(w), Y(h)); }

    int BaseX() const { return m_nBaseX; }
    int BaseY() const { return m_nBaseY; }

private:
    int m_nBaseX;
    int m_nBaseY;
};

#pragma once
// A document with a grid view of a fixed size, laid out and measured as
// after opening, and helpers to look at its pixels.
#include <memory>
#include <string>

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <gtest/gtest.h>

#include "fw/ColorRef.h"
#include "fw/RecordingDC.h"
#include "fw/Profile.h"
#include "SheetEdits.h"
#include "model/CheckItem.h"
#include "model/DisplaySettings.h"
#include "model/SheetFile.h"
#include "view/TavrelView.h"
#include "TestViewDocument.h"

struct ViewFixture {
    CMemoryProfile profile;
    std::unique_ptr<CTestViewDocument> doc;
    std::unique_ptr<CTavrelView> view;

    // rows × columns of check cells; every cell of row r and column c is
    // checked when checked(r, c).
    ViewFixture(int rows, int columns, int w = 480, int h = 320,
                bool (*checked)(int, int) = nullptr) {
        AfxSetProfile(&profile);
        doc = std::make_unique<CTestViewDocument>();
        CSheetFile& s = doc->m_Sheet;
        for (int c = 0; c < columns; ++c)
            s.AddColumn("c" + std::to_string(c), 1);
        for (int r = 0; r < rows; ++r)
            s.AddLine("r" + std::to_string(r));
        if (checked)
            for (int r = 0; r < rows; ++r)
                for (int c = 0; c < columns; ++c)
                    if (checked(r, c))
                        SetChecked(s, r, c);
        s.m_nCurLine = -1;
        s.m_nCurColumn = -1;
        view = std::make_unique<CTavrelView>(doc.get(), nullptr);
        doc->m_views.push_back(view.get());
        view->resize(w, h);
        view->show();
        view->OnInitialUpdate();
        doc->SetModifiedFlag(false);
    }
    ~ViewFixture() {
        view.reset();
        doc.reset();
        AfxSetProfile(nullptr);
    }

    CSheetFile& Sheet() { return doc->m_Sheet; }

    QImage Render() {
        QImage image(view->size(), QImage::Format_RGB32);
        image.setDevicePixelRatio(1);
        image.fill(Qt::magenta);
        view->render(&image);
        return image;
    }
};

// The colour at (x, y) as a COLORREF, to compare with the settings.
inline COLORREF PixelRef(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

// Moves the cursor as a test set-up step, drawing into nothing visible.
inline void SetCurQuietly(CSheetFile& s, int column, int line) {
    CRecordingDC dc;
    s.SetCur(column, line, &dc);
}

// Only the cursor's row and column are highlighted.
inline void ExpectOnlyCursorHighlighted(const CSheetFile& s) {
    for (int i = 0; i < s.GetSize(); ++i)
        EXPECT_EQ(s.GetAt(i)->m_bSelected != 0, i == s.m_nCurLine) << "row " << i;
    for (int i = 0; i < s.m_Columns.GetSize(); ++i)
        EXPECT_EQ(s.m_Columns.GetAt(i)->m_bSelected != 0, i == s.m_nCurColumn) << "column " << i;
}

#pragma once
// A document with a view stand-in for running the editing commands, and a
// compact text picture of a sheet to compare before and after.
#include <string>

#include "document/SheetDocument.h"
#include "fw/RecordingDC.h"
#include "model/SheetFile.h"
#include "SheetPicture.h"
#include "view/ViewHost.h"

class CTestViewHost : public CViewHost {
public:
    CSheetDocument* GetDocument() override { return &m_doc; }
    void UpdateAllViews() override { ++m_nViewUpdates; }
    void UpdateScrollRanges() override { ++m_nScrollUpdates; }
    void RedrawSelection() override {
        ++m_nSelectionRedraws;
        m_doc.m_Sheet.DrawSelection(&m_dc);
    }
    void CalcMetricsAndLayout() override {}
    void GoToCell(int line, int column) override { m_doc.m_Sheet.SetCur(column, line, &m_dc); }
    QWidget* Widget() override { return nullptr; }

    CSheetDocument m_doc;
    CRecordingDC m_dc;
    int m_nScrollUpdates = 0;
    int m_nSelectionRedraws = 0;
    int m_nViewUpdates = 0;
};

#pragma once
// A core document standing in for the application's: it repaints the views
// registered with it and counts how often it was asked to.
#include <vector>

#include "document/SheetDocument.h"
#include "view/TavrelView.h"
#include "view/ViewDocument.h"

class CTestViewDocument : public CSheetDocument, public CViewDocument {
public:
    CSheetDocument& SheetDocument() override { return *this; }
    void UpdateAllViews() override {
        ++m_nViewUpdates;
        for (CTavrelView* view : m_views)
            view->OnUpdate();
    }

    std::vector<CTavrelView*> m_views;
    int m_nViewUpdates = 0;
};

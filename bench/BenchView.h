#pragma once
// The editor's view on a sheet of check cells, shown at 1024 × 768 with a
// settings store of its own: what the paint, key and filter benchmarks drive.
#include <functional>
#include <memory>
#include <string>

#include "app/TavrelDoc.h"
#include "fw/Profile.h"
#include "model/LineData.h"
#include "model/SheetFile.h"
#include "view/TavrelView.h"

struct CBenchView {
    CMemoryProfile profile;
    std::unique_ptr<CTavrelDoc> doc;
    std::unique_ptr<CTavrelView> view;

    // Rows named prefix + index; fill(index, row) may change a row before the
    // sheet takes it.
    CBenchView(int rows, int columns, const std::string& prefix = "r",
               const std::function<void(int, CLineData&)>& fill = {}) {
        AfxSetProfile(&profile);
        doc = std::make_unique<CTavrelDoc>();
        CSheetFile& s = doc->m_Sheet;
        for (int c = 0; c < columns; ++c)
            s.AddColumn("c" + std::to_string(c), 1);
        for (int r = 0; r < rows; ++r) {
            auto line = std::make_unique<CLineData>(prefix + std::to_string(r), columns);
            if (fill)
                fill(r, *line);
            s.Add(std::move(line));
        }
        // AddLine lays out every row each time; one layout at the end keeps
        // building 100,000 rows linear.
        s.Layout();
        view = std::make_unique<CTavrelView>(doc.get(), nullptr);
        view->resize(1024, 768);
        view->show();
        view->OnInitialUpdate();
    }
    ~CBenchView() {
        view.reset();
        doc.reset();
        AfxSetProfile(nullptr);
    }
    CBenchView(const CBenchView&) = delete;
    CBenchView& operator=(const CBenchView&) = delete;
    CSheetFile& Sheet() { return doc->m_Sheet; }
};

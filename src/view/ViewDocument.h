#pragma once
// What the grid view needs of the document it shows: the core document (the
// sheet, its undo history, the modified flag) and a way to repaint every view
// of it. The application's document implements it, so the view never needs
// to know the application.
#include <string>

class CSheetDocument;

class CViewDocument {
public:
    virtual ~CViewDocument() = default;
    virtual CSheetDocument& SheetDocument() = 0;
    // Every view of the document repaints (each gets OnUpdate).
    virtual void UpdateAllViews() = 0;
    // The sheet's file (UTF-8); empty before it was first saved.
    virtual std::string PathName() const { return {}; }
};

#pragma once
// What the grid view needs of the document it shows: the core document (the
// sheet, its undo history, the modified flag) and a way to repaint every view
// of it. The application's document implements it, so the view never needs
// to know the application.
class CSheetDocument;

class CViewDocument {
public:
    virtual ~CViewDocument() = default;
    virtual CSheetDocument& SheetDocument() = 0;
    // Every view of the document repaints (each gets OnUpdate).
    virtual void UpdateAllViews() = 0;
};

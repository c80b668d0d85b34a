#pragma once
// Prints a sheet: splits it into pages (the header row and the row names on
// every page), draws each page from a copy of the sheet laid out for it, and
// writes the footer below. One screen pixel becomes as many device dots as
// the device has per screen pixel, so the grid keeps its size on screen. The
// print dialogs are reached through the user-interface seam.
#include <string>
#include <vector>

#include "model/PrintPages.h"

class CSheetFile;
class QPaintDevice;
class QPainter;
class QPrinter;

class CSheetPrinter {
public:
    // screenDpi is the resolution the sheet is shown at (0 for the usual
    // 96); documentPath names the footer of a sheet without a title.
    CSheetPrinter(const CSheetFile& sheet, int screenDpi, std::string documentPath);

    // The whole sheet, as many pages as it takes; false when the printer
    // could not be started.
    bool PrintTo(QPrinter& printer) const;
    // The pages of the sheet on a device of deviceDpi dots per inch.
    std::vector<CPrintPage> Pages(const QPaintDevice& device, int deviceDpi) const;
    // Page index of those pages, footer included, on the painter's device.
    void RenderPage(QPainter& painter, int deviceDpi, int index = 0) const;

    // The commands: through the print dialog, straight to the default
    // printer, and the preview.
    void PrintWithDialog() const;
    void PrintToDefaultPrinter() const;
    void Preview() const;

private:
    // The sheet's title, else the file's name, else the default name.
    std::string FooterName() const;
    double Scale(int deviceDpi) const { return double(deviceDpi) / m_nScreenDpi; }
    void DrawPage(QPainter& painter, double scale, const CPrintPage& page, int index,
                  int count) const;

    const CSheetFile& m_sheet;
    int m_nScreenDpi;
    std::string m_strDocumentPath;
};

#include "view/SheetPrinter.h"

#include <utility>

#include <QDate>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

#include "fw/Cp932.h"
#include "fw/UserInterface.h"
#include "model/DisplaySettings.h"
#include "model/PixelMath.h"
#include "model/SheetFile.h"
#include "qt/PrintSetup.h"
#include "qt/QtDC.h"
#include "qt/QtFont.h"
#include "qt/QtUserInterface.h"

namespace {

// The footer below the grid: its font's pixel size and the strip it takes.
constexpr int kFooterPx = 12;
constexpr int kFooterStrip = 2 * kFooterPx;

} // namespace

CSheetPrinter::CSheetPrinter(const CSheetFile& sheet, int screenDpi, std::string documentPath)
    : m_sheet(sheet), m_nScreenDpi(screenDpi > 0 ? screenDpi : 96),
      m_strDocumentPath(std::move(documentPath)) {}

std::vector<CPrintPage> CSheetPrinter::Pages(const QPaintDevice& device, int deviceDpi) const {
    const double scale = Scale(deviceDpi);
    CPrintMetrics m;
    m.nLines = m_sheet.GetSize();
    m.nColumns = m_sheet.m_Columns.GetSize();
    m.nNameWidth = ClampPixelSize(m_sheet.LineNameWidthPx());
    m.nColumnWidth = ClampPixelSize(m_sheet.ColumnWidthPx());
    m.nHeadHeight = ClampPixelSize(m_sheet.m_nColumnHeight);
    m.nLineHeight = ClampPixelSize(m_sheet.m_nLineHeight);
    const int width = int(device.width() / scale);
    const int height = int(device.height() / scale) - kFooterStrip;
    return PaginateSheet(m, width, height);
}

bool CSheetPrinter::PrintTo(QPrinter& printer) const {
    // The document's title in the file (a PDF's, the print queue's job).
    printer.setDocName(QString::fromStdString(FooterName()));
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const int dpi = printer.resolution();
    const std::vector<CPrintPage> pages = Pages(printer, dpi);
    const int count = int(pages.size());
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !printer.newPage())
            return false;
        DrawPage(painter, Scale(dpi), pages[std::size_t(i)], i, count);
    }
    const QFont footer = painter.font();
    if (!painter.end())
        return false;
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return RestorePdfText(printer.outputFileName(),
                              {QtFontFor(m_sheet.Look().m_fontLine),
                               QtFontFor(m_sheet.Look().m_fontColumn), footer}) >= 0;
    return true;
}

void CSheetPrinter::RenderPage(QPainter& painter, int deviceDpi, int index) const {
    const std::vector<CPrintPage> pages = Pages(*painter.device(), deviceDpi);
    if (index < 0 || index >= int(pages.size()))
        return;
    DrawPage(painter, Scale(deviceDpi), pages[std::size_t(index)], index, int(pages.size()));
}

void CSheetPrinter::DrawPage(QPainter& painter, double scale, const CPrintPage& page, int index,
                             int count) const {
    painter.save();
    painter.scale(scale, scale);
    {
        // A copy with its own layout: the document's sheet, scroll position
        // and row places stay as they are. It takes the row height factor
        // from the sheet rather than from the settings, and is drawn as the
        // sheet is on screen.
        CSheetFile sheet(CSheetFile::kCopyTarget);
        sheet.Copy(m_sheet);
        sheet.ShareDisplay(m_sheet);
        sheet.m_nTopLine = page.nFirstLine;
        sheet.m_nLeftColumn = page.nFirstColumn;
        sheet.Layout(0, 0, page.nWidth, page.nHeight);
        CQtDC dc(painter);
        dc.SetPrinting(true);
        dc.SelectClipRect(CRect(0, 0, page.nWidth, page.nHeight));
        sheet.Draw(&dc);
    }
    // The footer: the sheet's name, the date and the page number.
    const int pageWidth = int(painter.device()->width() / scale);
    const int pageHeight = int(painter.device()->height() / scale);
    QFont font = painter.font();
    font.setPixelSize(kFooterPx);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QRect strip(0, pageHeight - kFooterStrip, pageWidth, kFooterStrip);
    painter.drawText(strip, Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(FooterName()));
    painter.drawText(strip, Qt::AlignHCenter | Qt::AlignVCenter,
                     QDate::currentDate().toString(Qt::ISODate));
    painter.drawText(strip, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("%1 / %2").arg(index + 1).arg(count));
    painter.restore();
}

std::string CSheetPrinter::FooterName() const {
    std::string name = cp932::ToUtf8(m_sheet.m_strTitle);
    if (name.empty())
        name = QFileInfo(QString::fromStdString(m_strDocumentPath)).fileName().toStdString();
    if (name.empty())
        name = "Sheet1";
    return name;
}

void CSheetPrinter::PrintWithDialog() const {
    AfxGetUserInterface().PrintDialog([this](CPrinter& printer) { return PrintTo(printer); });
}

void CSheetPrinter::PrintToDefaultPrinter() const {
    QPrinter printer(QPrinter::HighResolution);
    ApplyRunMargins(printer);
    PrintTo(printer);
}

void CSheetPrinter::Preview() const {
    AfxGetUserInterface().PrintPreview([this](CPrinter& printer) { return PrintTo(printer); });
}

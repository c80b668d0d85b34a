#include "view/ClipboardCommands.h"

#include <cstdint>
#include <span>
#include <sstream>

#include <QPainter>

#include "document/SheetDocument.h"
#include "fw/Archive.h"
#include "fw/Cp932.h"
#include "fw/UserInterface.h"
#include "model/DisplaySettings.h"
#include "model/ReadBudget.h"
#include "model/SheetFile.h"
#include "qt/QtDC.h"
#include "res/CommandIds.h"
#include "view/EditStep.h"
#include "view/ViewHost.h"

const char CClipboardCommands::kLineFormat[] =
    "application/x-qt-windows-mime;value=\"TavrelerLine\"";

namespace {

const char kNoData[] = "データがありません";
const char kColumnCountDiffers[] = "列の数が異なるデータです";
const char kNoPosition[] = "挿入位置を指定してください";
const char kNoBitmap[] = "ビットマップが作成できませんでした";

} // namespace

// Every command of this class; all are always enabled.
std::span<const CClipboardCommands::Command> CClipboardCommands::Commands() {
    static const Command kCommands[] = {
        {ID_EDIT_COPY, [](CClipboardCommands& c) { c.OnEditCopy(); }},
        {ID_EDIT_CUT, [](CClipboardCommands& c) { c.OnEditCut(); }},
        {ID_EDIT_PASTE, [](CClipboardCommands& c) { c.OnEditPaste(false); }},
        {ID_EDIT_PASTE_ADD, [](CClipboardCommands& c) { c.OnEditPaste(true); }},
        {ID_COLUMN_PASTE_TEXT, [](CClipboardCommands& c) { c.OnPasteText(true); }},
        {ID_LINE_PASTE_TEXT, [](CClipboardCommands& c) { c.OnPasteText(false); }},
        {ID_EDIT_COPY_BITMAP, [](CClipboardCommands& c) { c.OnCopyBitmap(); }},
    };
    return kCommands;
}

namespace {

// Names each character once, in the order they occur.
std::string RejectedForPaste(const std::vector<std::string>& rejected) {
    std::string list;
    for (const std::string& ch : rejected) {
        const std::string quoted = "「" + ch + "」";
        if (list.find(quoted) != std::string::npos)
            continue;
        list += (list.empty() ? "" : " ") + quoted;
    }
    return "次の文字はシートに入れられないため、貼り付けませんでした（シフトJISにない文字です）: " +
           list;
}

} // namespace

CSheetDocument* CClipboardCommands::Doc() const {
    return m_pHost->GetDocument();
}

CSheetFile& CClipboardCommands::Sheet() const {
    return Doc()->m_Sheet;
}

// The row record.

std::string CClipboardCommands::LineToBytes(const CLineData& line) {
    std::ostringstream out;
    {
        CArchive ar(out);
        // Serialize writes only; the record is the same for a const row.
        const_cast<CLineData&>(line).Serialize(ar);
    }
    return std::move(out).str();
}

std::unique_ptr<CLineData> CClipboardCommands::LineFromBytes(std::string_view bytes) {
    auto pLine = std::make_unique<CLineData>();
    try {
        CArchive ar(bytes);
        pLine->Serialize(ar);
    } catch (const CFileError&) {
        return nullptr;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return pLine;
}

// Rows.

bool CClipboardCommands::CopyLine() {
    const CLineData* pLine = Sheet().GetCurLine();
    if (pLine == nullptr)
        return false;
    return AfxGetUserInterface().SetClipboardData(kLineFormat, LineToBytes(*pLine));
}

void CClipboardCommands::OnEditCopy() {
    CopyLine();
}

void CClipboardCommands::OnEditCut() {
    // A row the clipboard did not take is not deleted either.
    if (!CopyLine())
        return;
    EditStep(*m_pHost, kEditCountsAndCursor, [](CSheetFile& sheet) { sheet.DeleteLine(); });
}

void CClipboardCommands::OnEditPaste(bool bAppend) {
    CUserInterface& ui = AfxGetUserInterface();
    const std::optional<std::string> bytes = ui.GetClipboardData(kLineFormat);
    // Each cell of a row record takes at least two bytes.
    if (bytes)
        CheckSheetBudget(1, 0, bytes->size() / 2);
    // A block that is not a row record is no row to paste.
    std::unique_ptr<CLineData> pLine = bytes ? LineFromBytes(*bytes) : nullptr;
    if (!pLine) {
        ui.MessageBox(kNoData, MB_OK);
        return;
    }
    CSheetFile& sheet = Sheet();
    // A row that cannot fit is refused first; only then is a place needed.
    if (pLine->GetSize() != sheet.m_Columns.GetSize()) {
        ui.MessageBox(kColumnCountDiffers, MB_OK);
        return;
    }
    if (!bAppend && sheet.GetCurLine() == nullptr) {
        ui.MessageBox(kNoPosition, MB_OK);
        return;
    }
    EditStep(*m_pHost, kEditCountsAndCursor, [&](CSheetFile& s) {
        if (bAppend) {
            s.AddLine(std::move(pLine));
            // The pasted row becomes current.
            s.m_nCurLine = s.GetSize() - 1;
        } else {
            // The pasted row takes the current index, so it is the current row.
            s.InsertLine(std::move(pLine));
        }
    });
}

// Text.

std::vector<std::string> CClipboardCommands::SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    // The text ends at its first NUL, as a C string on the clipboard does.
    text = text.substr(0, text.find('\0'));
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos)
            end = text.size();
        else if (end > pos && text[end - 1] == '\r')
            --end;
        if (end > pos)
            lines.emplace_back(text.substr(pos, end - pos));
        pos = next;
    }
    return lines;
}

void CClipboardCommands::OnPasteText(bool bAsColumns) {
    CUserInterface& ui = AfxGetUserInterface();
    const std::optional<std::string> text = ui.GetClipboardUnicodeText();
    if (!text)
        return;
    // Characters code page 932 has no code for are named, never dropped.
    const cp932::EncodeResult encoded = cp932::FromUtf8(*text);
    if (!encoded.ok()) {
        ui.MessageBox(RejectedForPaste(encoded.rejected), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CSheetFile& sheet = Sheet();
    const std::vector<std::string> lines = SplitLines(encoded.text);
    // A new column takes a cell in every row, a new row one in every column.
    const std::uint64_t n = lines.size();
    if (bAsColumns)
        CheckSheetBudget(0, n, SaturatingProduct(n, sheet.GetSize()));
    else
        CheckSheetBudget(n, 0, SaturatingProduct(n, sheet.m_Columns.GetSize()));
    EditStep(*m_pHost, kEditCounts, [&](CSheetFile& s) {
        for (const std::string& line : lines) {
            if (bAsColumns)
                s.AddColumn(line, 1);
            else
                s.AddLine(line);
        }
    });
}

// The picture.

QImage CClipboardCommands::SheetPicture(const CSheetFile& sheet) {
    const CSize extent = sheet.GetExtent();
    if (extent.cx > kMaxPictureSide || extent.cy > kMaxPictureSide)
        return {};
    // A sheet without rows has no extent: the platform makes the empty
    // bitmap 1 x 1, and so the clipboard gets one white pixel.
    if (extent.cx <= 0 || extent.cy <= 0) {
        QImage empty(1, 1, QImage::Format_RGB32);
        empty.fill(Qt::white);
        return empty;
    }
    QImage image(extent.cx, extent.cy, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.fill(Qt::white);
    // A copy, so the document's sheet keeps its scroll position, layout and
    // measurements; it is drawn as the sheet is.
    CSheetFile copy;
    copy.Copy(sheet);
    copy.ShareDisplay(sheet);
    QPainter painter(&image);
    CQtDC dc(painter);
    copy.Layout(0, 0, extent.cx, extent.cy);
    copy.CalcMetrics(&dc);
    copy.SetTopLine(0);
    copy.SetLeftColumn(0);
    copy.Draw(&dc);
    return image;
}

void CClipboardCommands::OnCopyBitmap() {
    CUserInterface& ui = AfxGetUserInterface();
    int w = 0, h = 0;
    std::vector<std::uint32_t> pixels;
    {
        // The picture goes before the clipboard makes its own, so a large
        // sheet is held twice at most.
        const QImage image = SheetPicture(Sheet());
        if (image.isNull()) {
            ui.MessageBox(kNoBitmap, MB_OK);
            return;
        }
        w = image.width();
        h = image.height();
        pixels.reserve(std::size_t(w) * std::size_t(h));
        for (int y = 0; y < h; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < w; ++x)
                pixels.push_back(line[x] & 0xFFFFFFu);
        }
    }
    ui.SetClipboardImage(w, h, pixels);
}

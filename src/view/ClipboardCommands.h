#pragma once
// The clipboard commands of the grid view: rows copied, cut and pasted in the
// private row format, clipboard text turned into rows or columns, and a
// picture of the whole grid. The private format holds exactly one row record
// of the sheet file, written on its own into a fresh archive, so rows move
// between sheets (and programs) that use the same format. The view owns one
// and forwards its commands to it.
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <QImage>

#include "fw/CmdTarget.h"

class CViewHost;
class CLineData;
class CSheetFile;
class CSheetDocument;

class CClipboardCommands : public CCommandTable<CClipboardCommands> {
public:
    explicit CClipboardCommands(CViewHost* pHost) : m_pHost(pHost) {}

    static std::span<const Command> Commands();

    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste(bool bAppend);
    void OnPasteText(bool bAsColumns);
    void OnCopyBitmap();

    // The private row format as a MIME type; on Windows the clipboard format
    // registered under the name "TavrelerLine".
    static const char kLineFormat[];
    // The row record alone, as the archive writes it.
    static std::string LineToBytes(const CLineData& line);
    // The row record at the start of bytes, read by the same hardened reader
    // as sheet files; whatever follows the record (a block's padding) is
    // ignored. nullptr when the bytes are not a row record.
    static std::unique_ptr<CLineData> LineFromBytes(std::string_view bytes);
    // One entry per line of text: a line ends at a line feed, with a carriage
    // return right before it removed; empty lines are left out; tabs, commas
    // and spaces stay part of the line.
    static std::vector<std::string> SplitLines(std::string_view text);
    // A picture of the whole sheet from its first row and column, drawn on a
    // copy of it; a null image when it has no rows or is too large to make.
    static QImage SheetPicture(const CSheetFile& sheet);
    // The largest side of a picture, in pixels.
    static constexpr int kMaxPictureSide = 32767;

private:
    CSheetDocument* Doc() const;
    CSheetFile& Sheet() const;
    // Puts the current row on the clipboard; false when there is none or the
    // clipboard did not take it.
    bool CopyLine();

    CViewHost* m_pHost;
};

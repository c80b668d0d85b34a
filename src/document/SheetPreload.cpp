#include "document/SheetPreload.h"

#include <utility>

#include "model/SheetIo.h"

CSheetPreload::CSheetPreload(std::string path) : m_strPath(std::move(path)) {
    // Touches nothing but its own sheet: the reading thread's cells come from
    // that thread's pool, and a pool takes back cells freed on any thread.
    m_reader = std::thread([this] {
        m_error = ReadSheetFile(m_Sheet, m_strPath);
        m_Sheet.CheckCounts(); // the counting walk of every cell, here too
    });
}

CSheetPreload::~CSheetPreload() {
    Wait();
}

void CSheetPreload::Wait() {
    if (m_reader.joinable())
        m_reader.join();
}

std::optional<FileError> CSheetPreload::TakeInto(CSheetFile& sheet) {
    Wait();
    // A failed or empty read may leave parts of the sheet it read into as
    // they were: it is done again, on that sheet. It costs little.
    if (m_error || (m_Sheet.IsEmpty() && m_Sheet.m_Columns.IsEmpty()))
        return ReadSheetFile(sheet, m_strPath);
    sheet.TakeLoaded(m_Sheet);
    return std::nullopt;
}

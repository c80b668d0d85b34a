// CSV export and import of the sheet. The written format: every field in
// double quotes, nothing escaped, "," between fields, CR LF after every line;
// the header is the corner field and the column names, then one line per
// row with its name and one mark per cell. Reading is looser: a line is cut
// at every comma and quotes are stripped only at the ends of a field.
#include <string>
#include <vector>

#include "fw/Cp932.h"
#include "fw/Cp932String.h"
#include "fw/UserInterface.h"
#include "io/CsvEncoding.h"
#include "io/ExportTexts.h"
#include "io/TextFile.h"
#include "model/SheetFile.h"

namespace {

void ShowFileError(const COstrelFileException& e) {
    AfxGetUserInterface().MessageBox(e.m_strMessage, MB_OK | MB_ICONEXCLAMATION);
}

} // namespace

std::string CSheetFile::CsvMarkText(BOOL bCheck) const {
    return MarkText(m_nCsvMark, bCheck);
}

BOOL CSheetFile::ExportCsv(LPCTSTR path) const {
    CTextFile file;
    try {
        file.Open(path, "wt");
    } catch (const COstrelFileException& e) {
        ShowFileError(e);
        return FALSE;
    }
    return ExportCsv(file);
}

BOOL CSheetFile::ExportCsv(CTextFile& file) const {
    try {
        file << "\"" << CornerName() << "\"";
        for (const auto& pColumn : m_Columns)
            file << ",\"" << pColumn->m_strName << "\"";
        file << "\n";
        for (const auto& pLine : *this) {
            file << "\"" << pLine->m_strName << "\",";
            const int n = pLine->GetSize();
            for (int k = 0; k < n; ++k) {
                const CDataItem* pItem = pLine->GetAt(k);
                file << "\"";
                if (pItem->GetType() == CELL_CHECK) {
                    const CCheckItem* pCheck = AsCheckItem(pItem);
                    file << CsvMarkText(pCheck && pCheck->m_bCheck);
                }
                file << (k + 1 < n ? "\"," : "\"");
            }
            file << "\n";
        }
        file.Close();
    } catch (const COstrelFileException& e) {
        // The stream stays open; its owner's destructor closes it.
        ShowFileError(e);
        return FALSE;
    }
    return TRUE;
}

void CSheetFile::SplitString(const std::string& text, const std::string& separator,
                             std::vector<std::string>& array) {
    if (text.empty())
        return;
    std::size_t start = 0;
    for (;;) {
        const std::size_t pos = separator.empty() ? std::string::npos : text.find(separator, start);
        if (pos == std::string::npos) {
            array.push_back(text.substr(start));
            return;
        }
        array.push_back(text.substr(start, pos - start));
        start = pos + separator.size();
        if (start >= text.size())
            return;
    }
}

BOOL CSheetFile::ImportCsv(LPCTSTR path) {
    CTextFile file;
    try {
        file.Open(path, "rt");
    } catch (const COstrelFileException& e) {
        ShowFileError(e);
        return FALSE;
    }
    // UTF-8 is converted first, or refused as a whole with its message.
    if (!PrepareCsvImport(file))
        return FALSE;
    return ImportCsv(file);
}

BOOL CSheetFile::ImportCsv(CTextFile& file) {
    // Rows and columns are appended to the arrays directly and laid out once
    // at the end: laying out after each of ten thousand rows would cost time
    // quadratic in the row count, and the final layout is the same.
    bool bChanged = false;
    try {
        std::string line;
        std::vector<std::string> fields;
        file.ReadLine(line); // an empty file is an empty header
        SplitString(line, ",", fields);
        for (std::size_t i = 1; i < fields.size(); ++i) {
            TrimChar(fields[i], '"');
            m_Columns.Add(new CColumnData(fields[i]));
            for (const auto& pLine : *this)
                pLine->Add(CreateItem(1));
            bChanged = true;
        }

        int n = 1;
        while (file.ReadLine(line)) {
            ++n;
            fields.clear();
            SplitString(line, ",", fields);
            const int nColumns = m_Columns.GetSize();
            if (fields.empty() || static_cast<long long>(fields.size()) - 1 > nColumns) {
                AfxGetUserInterface().MessageBox(
                    "インポートエラー：一行目の列数以上の項目を持つ行があります\n" +
                        std::to_string(n) + "行目：" + cp932::ToUtf8(line),
                    MB_OK | MB_ICONEXCLAMATION);
                break;
            }
            TrimChar(fields[0], '"');
            auto* pLine = new CLineData(fields[0], nColumns);
            Add(pLine);
            bChanged = true;
            for (std::size_t i = 1; i < fields.size(); ++i) {
                TrimChar(fields[i], '"');
                if (fields[i] != CheckedMark() && fields[i] != "1")
                    continue;
                const int k = static_cast<int>(i) - 1;
                if (k < pLine->GetSize())
                    if (auto* pCheck = dynamic_cast<CCheckItem*>(pLine->GetAt(k)))
                        pCheck->m_bCheck = TRUE;
            }
        }
        if (bChanged)
            Layout();
        file.Close();
    } catch (const COstrelFileException& e) {
        if (bChanged)
            Layout();
        ShowFileError(e);
        return FALSE;
    }
    return TRUE;
}

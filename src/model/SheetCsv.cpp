// CSV export and import of the sheet. The written format: every field in
// double quotes, nothing escaped, "," between fields, CR LF after every line;
// the header is the corner field and the column names, then one line per
// row with its name and one mark per cell. Reading is looser: a line is cut
// at every comma and quotes are stripped only at the ends of a field.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

#include "fw/Cp932.h"
#include "fw/Cp932String.h"
#include "fw/UserInterface.h"
#include "io/CsvEncoding.h"
#include "io/ExportTexts.h"
#include "io/TextFile.h"
#include "model/ReadBudget.h"
#include "model/SheetFile.h"

namespace {

// The fields of a line as views of its text, no copies. (A plain scan:
// the fields of a sheet are a few bytes long, shorter than a search call pays
// off for; a separator never occurs inside a double-byte character.)
void SplitFields(std::string_view text, char separator, std::vector<std::string_view>& fields) {
    fields.clear();
    const std::size_t n = text.size();
    std::size_t start = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (text[i] == separator) {
            fields.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    // A separator at the very end starts no field.
    if (start < n)
        fields.push_back(text.substr(start));
}

// a == b, written out: the marks compared are two or three bytes long.
bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

// TrimChar on a view: ch taken off both ends.
std::string_view Trimmed(std::string_view s, char ch) {
    const std::size_t first = s.find_first_not_of(ch);
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(ch) + 1 - first);
}

// The most rows the rest of the stream can give: one per line end, and one
// for a last line without its end. The stream is left where it was; one
// that cannot go back gives no bound (UINT64_MAX).
std::uint64_t RowsLeftBound(std::FILE* fp) {
    const long at = fp ? std::ftell(fp) : -1;
    if (at < 0)
        return UINT64_MAX;
    std::uint64_t lines = 0;
    char last = '\n';
    char buf[1 << 16];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, fp)) > 0) {
        for (const char* p = buf; (p = static_cast<const char*>(std::memchr(p, '\n', buf + n - p)));
             ++p)
            ++lines;
        last = buf[n - 1];
    }
    const bool failed = std::ferror(fp) != 0;
    std::clearerr(fp);
    if (failed || std::fseek(fp, at, SEEK_SET) != 0)
        return UINT64_MAX;
    return lines + (last != '\n' ? 1 : 0);
}

// The number of fields SplitFields gives, without making them.
std::size_t CountFields(std::string_view text, char separator) {
    std::size_t n = 0, start = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == separator) {
            ++n;
            start = i + 1;
        }
    return n + (start < text.size() ? 1 : 0);
}

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
    // Each line is put together in one string and written with one call: a
    // sheet has a million fields, and a stream call per field would cost
    // more than the fields themselves.
    const std::string marks[2] = {CsvMarkText(FALSE), CsvMarkText(TRUE)};
    std::string text;
    try {
        text = "\"" + CornerName() + "\"";
        for (const auto& pColumn : m_Columns) {
            text += ",\"";
            text += pColumn->m_strName;
            text += '"';
        }
        text += '\n';
        file << text;
        for (const auto& pLine : *this) {
            text.clear();
            text += '"';
            text += pLine->m_strName;
            text += "\",";
            const int n = pLine->GetSize();
            for (int k = 0; k < n; ++k) {
                const CDataItem* pItem = pLine->GetAt(k);
                text += '"';
                if (pItem->GetType() == CELL_CHECK) {
                    const CCheckItem* pCheck = AsCheckItem(pItem);
                    text += marks[pCheck && pCheck->m_bCheck ? 1 : 0];
                }
                text += k + 1 < n ? "\"," : "\"";
            }
            text += '\n';
            file << text;
        }
        file.Close();
    } catch (const COstrelFileException& e) {
        // The stream stays open; its owner's destructor closes it.
        ShowFileError(e);
        return FALSE;
    }
    return TRUE;
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
        std::vector<std::string_view> fields;
        file.ReadLine(line); // an empty file is an empty header
        // What the file can add is checked before anything is made: the
        // header's columns with a cell in every row there is, and a row for
        // every line left with a cell for every column.
        const std::size_t nHeader = CountFields(line, ',');
        const std::uint64_t nNewColumns = nHeader > 1 ? nHeader - 1 : 0;
        // (A stream that cannot go back, which only a caller's own stream
        // is, has its header checked alone.)
        std::uint64_t nRows = RowsLeftBound(file.m_fp);
        if (nRows == UINT64_MAX)
            nRows = 0;
        const std::uint64_t nAllColumns =
            nNewColumns + static_cast<std::uint64_t>(m_Columns.GetSize());
        CheckSheetBudget(nRows, nNewColumns,
                         SaturatingSum(SaturatingProduct(GetSize(), nNewColumns),
                                       SaturatingProduct(nRows, nAllColumns)));
        m_Columns.Reserve(static_cast<std::size_t>(m_Columns.GetSize()) + nNewColumns);
        // The header's fields one by one: a header of ten million commas
        // needs no array of ten million pieces beside its columns.
        const std::string_view header = line;
        std::size_t start = header.find(',');
        for (std::size_t k = 1; k < nHeader; ++k) {
            ++start;
            std::size_t end = header.find(',', start);
            if (end == std::string_view::npos)
                end = header.size();
            m_Columns.Add(std::make_unique<CColumnData>(
                std::string(Trimmed(header.substr(start, end - start), '"'))));
            EditEveryLine([](CLineData& row) { row.Add(CreateItem(1)); });
            bChanged = true;
            start = end;
        }

        const std::string_view checked = CheckedMark();
        int n = 1;
        while (file.ReadLine(line)) {
            ++n;
            SplitFields(line, ',', fields);
            const int nColumns = m_Columns.GetSize();
            if (fields.empty() || static_cast<long long>(fields.size()) - 1 > nColumns) {
                AfxGetUserInterface().MessageBox(
                    "インポートエラー：一行目の列数以上の項目を持つ行があります\n" +
                        std::to_string(n) + "行目：" + cp932::ToUtf8(line),
                    MB_OK | MB_ICONEXCLAMATION);
                break;
            }
            auto pLine =
                std::make_unique<CLineData>(std::string(Trimmed(fields[0], '"')), nColumns);
            for (std::size_t i = 1; i < fields.size(); ++i) {
                const std::string_view field = Trimmed(fields[i], '"');
                if (!SameText(field, checked) && !SameText(field, "1"))
                    continue;
                const int k = static_cast<int>(i) - 1;
                if (k < pLine->GetSize()) {
                    // A new row's cells are check cells: the exact class first.
                    CDataItem* pItem = pLine->GetAt(k);
                    auto* pCheck = typeid(*pItem) == typeid(CCheckItem)
                                       ? static_cast<CCheckItem*>(pItem)
                                       : dynamic_cast<CCheckItem*>(pItem);
                    if (pCheck)
                        pCheck->m_bCheck = TRUE;
                }
            }
            // Handed to the sheet complete, so the counts take it as it is.
            Add(std::move(pLine));
            bChanged = true;
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

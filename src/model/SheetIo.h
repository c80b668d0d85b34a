#pragma once
// Reading and writing whole sheet files. Saving goes through the program's
// one atomic write (fw/AtomicFile.h), so a failed save leaves the old file
// as it was.
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "fw/FileError.h"
#include "model/SheetFile.h"

// Reads the archive in data into sheet (cleared first). An empty input is an
// empty sheet. On failure the sheet is empty and the error is returned.
std::optional<FileError> ReadSheet(CSheetFile& sheet, std::string_view data);
std::optional<FileError> ReadSheetFile(CSheetFile& sheet, const std::string& path);

// Writes the archive of sheet; false when the stream failed.
bool WriteSheet(const CSheetFile& sheet, std::ostream& out);
std::optional<FileError> SaveSheetFile(const CSheetFile& sheet, const std::string& path);

// The new-sheet step: rows from the new-file dialog's text (code page 932,
// lines ended by LF or CR LF, empty lines skipped), the row-name width raised
// to the longest name in bytes, and one check column "チェック".
void BuildNewSheet(CSheetFile& sheet, const std::string& lines);

#include "model/SheetIo.h"

#include <memory>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "fw/AtomicFile.h"
#include "fw/Cp932.h"
#include "fw/MemoryBudget.h"
#include "fw/Os.h"

namespace {

// Loads what the archive holds into the sheet: an empty input is an empty
// sheet; a failure leaves the sheet empty and says what went wrong.
std::optional<FileError> Load(CSheetFile& sheet, CArchive& ar) {
    sheet.Clear();
    try {
        if (ar.HasBytes(1))
            sheet.Serialize(ar);
    } catch (const CFileError& e) {
        sheet.Clear();
        return e.m_error;
    } catch (const CTooLargeError&) {
        sheet.Clear();
        return FileError::TooLarge;
    } catch (const std::bad_alloc&) {
        sheet.Clear();
        return FileError::GenericRead;
    }
    return std::nullopt;
}

} // namespace

// How many bytes of a sheet being saved are handed to the disk at a time.
constexpr std::size_t kWriteBackStep = 4 * 1024 * 1024;

std::optional<FileError> ReadSheet(CSheetFile& sheet, std::string_view data) {
    CArchive ar(data);
    return Load(sheet, ar);
}

std::optional<FileError> ReadSheetFile(CSheetFile& sheet, const std::string& path) {
    int err = 0;
    const OsFd fd = OsOpenForRead(path, err);
    if (fd < 0) {
        sheet.Clear();
        return FileErrorFromErrno(err, false);
    }
    const std::optional<COsFileInfo> st = OsFileInfo(fd);
    if (st && st->m_bFolder) {
        OsClose(fd);
        sheet.Clear();
        return FileError::AccessDeniedRead;
    }
    // A pipe or a device is no sheet file: one may never end, and the counts
    // a file holds are trusted only as far as the bytes left.
    if (!st || !st->m_bRegular) {
        OsClose(fd);
        sheet.Clear();
        return FileError::GenericRead;
    }
    // Read block by block as the archive takes the bytes (to the file's end,
    // should it grow meanwhile): a large file never sits in memory whole.
    CArchive ar([fd](char* p, std::size_t n) -> std::size_t {
        int err = 0;
        const std::int64_t got = OsRead(fd, p, n, err);
        if (got < 0)
            throw CFileError(FileError(FileError::GenericRead, err));
        return static_cast<std::size_t>(got);
    });
    std::optional<FileError> result = Load(sheet, ar);
    OsClose(fd);
    return result;
}

bool WriteSheet(const CSheetFile& sheet, std::ostream& out) {
    CArchive ar(out);
    const_cast<CSheetFile&>(sheet).Serialize(ar);
    ar.Flush();
    out.flush();
    return static_cast<bool>(out);
}

std::optional<FileError> SaveSheetFile(const CSheetFile& sheet, const std::string& path) {
    // Written block by block to the replacement, which takes the target's
    // place only when every byte is there.
    CAtomicFile file;
    std::optional<CAtomicWriteError> err = file.Create(path);
    if (!err) {
        try {
            std::size_t written = 0, started = 0;
            CArchive ar([&](const char* p, std::size_t n) {
                if (err)
                    return;
                err = file.Write(p, n);
                written += n;
                // Writing back to the disk starts while the rest is still being
                // made, so the final flush has little left to wait for.
                if (!err && written - started >= kWriteBackStep) {
                    OsStartWriteBack(file.GetFd(), static_cast<std::int64_t>(started),
                                     static_cast<std::int64_t>(written - started));
                    started = written;
                }
            });
            const_cast<CSheetFile&>(sheet).Serialize(ar);
            ar.Flush();
        } catch (const std::bad_alloc&) {
            return FileError::GenericWrite;
        }
    }
    if (!err)
        err = file.Commit();
    if (!err)
        return std::nullopt;
    // A folder in the target's place is "in use", as it always was reported.
    if (err->m_stage == CAtomicWriteError::Create && err->m_nErrno == EISDIR)
        return FileError(FileError::AccessDeniedWrite, EISDIR);
    return FileErrorFromErrno(err->m_nErrno, true);
}

void BuildNewSheet(CSheetFile& sheet, const std::string& lines) {
    int width = sheet.m_nLineNameWidth;
    std::size_t start = 0;
    auto take = [&](std::string name) {
        if (static_cast<int>(name.size()) > width)
            width = static_cast<int>(name.size());
        if (!name.empty())
            sheet.Add(std::make_unique<CLineData>(name, sheet.m_Columns.GetSize()));
    };
    for (;;) {
        const std::size_t lf = lines.find('\n', start);
        if (lf == std::string::npos)
            break;
        std::size_t end = lf;
        // Only a carriage return right before the line feed belongs to the line end.
        if (end > start && lines[end - 1] == '\r')
            --end;
        take(lines.substr(start, end - start));
        start = lf + 1;
    }
    if (start < lines.size())
        take(lines.substr(start));
    sheet.m_nLineNameWidth = width;
    sheet.AddColumn(cp932::FromUtf8OrDie("チェック"), 1);
}

#include "model/SheetIo.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "fw/AtomicFile.h"
#include "fw/Cp932.h"

std::optional<FileError> ReadSheet(CSheetFile& sheet, std::string_view data) {
    sheet.Clear();
    if (data.empty())
        return std::nullopt;
    try {
        CArchive ar(data);
        sheet.Serialize(ar);
    } catch (const CFileError& e) {
        sheet.Clear();
        return e.m_error;
    } catch (const std::bad_alloc&) {
        sheet.Clear();
        return FileError::GenericRead;
    }
    return std::nullopt;
}

std::optional<FileError> ReadSheetFile(CSheetFile& sheet, const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        sheet.Clear();
        return FileErrorFromErrno(err, false);
    }
    std::string data;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        sheet.Clear();
        return FileError::AccessDeniedRead;
    }
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            sheet.Clear();
            return FileError::GenericRead;
        }
        if (n == 0)
            break;
        data.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return ReadSheet(sheet, data);
}

bool WriteSheet(const CSheetFile& sheet, std::ostream& out) {
    CArchive ar(out);
    const_cast<CSheetFile&>(sheet).Serialize(ar);
    out.flush();
    return static_cast<bool>(out);
}

std::optional<FileError> SaveSheetFile(const CSheetFile& sheet, const std::string& path) {
    std::ostringstream out;
    if (!WriteSheet(sheet, out))
        return FileError::GenericWrite;
    return WriteFileAtomically(path, out.str());
}

void BuildNewSheet(CSheetFile& sheet, const std::string& lines) {
    int width = sheet.m_nLineNameWidth;
    std::size_t start = 0;
    auto take = [&](std::string name) {
        if (static_cast<int>(name.size()) > width)
            width = static_cast<int>(name.size());
        if (!name.empty())
            sheet.Add(new CLineData(name, sheet.m_Columns.GetSize()));
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

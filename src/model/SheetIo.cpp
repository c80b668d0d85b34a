#include "model/SheetIo.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sstream>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fw/AtomicFile.h"
#include "fw/Cp932.h"

namespace {

// The bytes of a sheet file being read. A large file's bytes sit in large
// pages where the system gives them on request: reading eighteen megabytes
// into small pages costs more in page faults than in copying.
struct CReadBuffer {
    static constexpr std::size_t kLargePage = 2 * 1024 * 1024;
    char* p = nullptr;
    std::size_t size = 0;

    CReadBuffer() = default;
    CReadBuffer(const CReadBuffer&) = delete;
    CReadBuffer& operator=(const CReadBuffer&) = delete;
    ~CReadBuffer() { std::free(p); }

    // Keeps the bytes held so far; false when there is no memory.
    bool Resize(std::size_t n) {
        void* q = nullptr;
        if (n >= kLargePage) {
            n = (n + kLargePage - 1) / kLargePage * kLargePage;
            if (::posix_memalign(&q, kLargePage, n) != 0)
                return false;
#ifdef MADV_HUGEPAGE
            ::madvise(q, n, MADV_HUGEPAGE); // a hint only
#endif
        } else if (!(q = std::malloc(n))) {
            return false;
        }
        if (p)
            std::memcpy(q, p, size);
        std::free(p);
        p = static_cast<char*>(q);
        size = n;
        return true;
    }
};

} // namespace

// How many bytes of a sheet being saved are handed to the disk at a time.
constexpr std::size_t kWriteBackStep = 4 * 1024 * 1024;

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
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        sheet.Clear();
        return FileError::AccessDeniedRead;
    }
    // Read straight into a buffer sized from the file's length (a file that
    // grows meanwhile is read to its end all the same). The first guess is
    // bounded: a sparse giant must not fail up front.
    const std::size_t guess =
        S_ISREG(st.st_mode) && st.st_size > 0
            ? std::min<std::size_t>(static_cast<std::size_t>(st.st_size), std::size_t(1) << 28)
            : 65535;
    CReadBuffer data;
    if (!data.Resize(guess + 1)) {
        ::close(fd);
        sheet.Clear();
        return FileError::GenericRead;
    }
    std::size_t len = 0;
    for (;;) {
        if (len == data.size && !data.Resize(data.size * 2)) {
            ::close(fd);
            sheet.Clear();
            return FileError::GenericRead;
        }
        const ssize_t n = ::read(fd, data.p + len, data.size - len);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            sheet.Clear();
            return FileError::GenericRead;
        }
        if (n == 0)
            break;
        len += static_cast<std::size_t>(n);
    }
    ::close(fd);
    return ReadSheet(sheet, std::string_view(data.p, len));
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
                    ::sync_file_range(file.GetFd(), static_cast<off_t>(started),
                                      static_cast<off_t>(written - started), SYNC_FILE_RANGE_WRITE);
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
        return FileError::AccessDeniedWrite;
    return FileErrorFromErrno(err->m_nErrno, true);
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

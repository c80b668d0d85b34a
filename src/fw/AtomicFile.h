#pragma once
// The one way the program replaces a file (sheet, CSV, HTML; editor and
// command-line tool alike). The bytes go to a temporary file beside the real
// target (symbolic links followed, so the link stays a link), which is
// flushed to the disk and then renamed over the target. Until the rename the
// old file is untouched; a failure or a discarded write removes the
// temporary file, so nothing is left behind. A temporary file that a killed
// process left is removed by the next successful write of the same target.
// A target that exists but is no regular file (a device, a pipe) cannot be
// replaced: it is written in place.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "fw/FileError.h"

// Where a replacement failed, with the errno seen there.
struct CAtomicWriteError {
    enum Stage {
        Create, // the target cannot be replaced or the temporary file made
        Write,  // writing the bytes failed (disk full, file-size limit...)
        Commit, // flushing, closing or renaming failed
    };
    Stage m_stage;
    int m_nErrno;
};

class CAtomicFile {
public:
    CAtomicFile() = default;
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;
    // Discards a write that was not committed.
    ~CAtomicFile();

    // Makes the temporary file for path. A folder, a file that may not be
    // written or a chain of links without end fails here.
    std::optional<CAtomicWriteError> Create(const std::string& path);
    // Appends bytes to the temporary file.
    std::optional<CAtomicWriteError> Write(const void* data, std::size_t size);
    // Flushes, gives the temporary file the target's permissions and renames
    // it over the target. On failure the temporary file is removed.
    std::optional<CAtomicWriteError> Commit();
    // Gives the write up: the temporary file goes, the target stays.
    void Discard();

    bool IsOpen() const { return m_fd >= 0; }
    int GetFd() const { return m_fd; }
    // The file that is replaced (links followed) and the temporary file.
    const std::string& GetTargetPath() const { return m_strTarget; }
    const std::string& GetTempPath() const { return m_strTemp; }

private:
    int m_fd = -1;
    std::string m_strTarget;
    std::string m_strTemp;
    bool m_bExists = false;
    bool m_bInPlace = false; // a device or pipe, written directly
    unsigned m_nMode = 0;
    unsigned m_nUid = 0, m_nGid = 0;
};

// The path a write of path replaces: symbolic links followed to the file
// they name (which need not exist yet). Fails with ELOOP on a loop.
std::optional<std::string> ResolveWriteTarget(const std::string& path, int& err);

// True when name is a temporary file name of a write of the file base:
// "." + base + "." + six letters or digits; a base too long for that to fit
// the limit on a name gives its first bytes, "~" and a hash of it instead.
bool IsTemporaryNameOf(const std::string& name, const std::string& base);

// Writes bytes to path through CAtomicFile; the failure as the sheet file
// code reports it.
std::optional<FileError> WriteFileAtomically(const std::string& path, std::string_view bytes);

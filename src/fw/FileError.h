#pragma once
// Why reading or writing a sheet file failed, and the message shown for it.
#include <stdexcept>
#include <string>

struct FileError {
    enum Kind {
        BadFormat,         // malformed or truncated archive
        FileNotFound,      // no such file, bad path
        AccessDeniedRead,  // cannot be read: in use or not permitted
        AccessDeniedWrite, // cannot be written: in use or read-only
        DiskFull,          // the device ran out of room while writing
        BadFileName,       // cannot be created for writing, any other cause
        GenericRead,       // any other failure while opening or reading
        GenericWrite,      // any other failure while writing
        TooLarge,          // more than the memory budget holds (fw/MemoryBudget.h)
    };
    FileError(Kind kind, int err = 0) : m_kind(kind), m_nErrno(err) {}
    Kind m_kind;
    int m_nErrno; // the system's reason, 0 when none was seen
    // The kind alone decides what the program does; the reason is only told.
    friend bool operator==(const FileError& a, Kind b) { return a.m_kind == b; }
    friend bool operator==(const FileError& a, const FileError& b) { return a.m_kind == b.m_kind; }
};

// The message exactly as the program shows it (UTF-8); path stands for "%1".
// The system's reason, when one was seen, follows on a line of its own.
std::string FileErrorMessage(FileError error, const std::string& path);

// Thrown by the archive and the sheet file code.
class CFileError : public std::runtime_error {
public:
    explicit CFileError(FileError error) : std::runtime_error("file error"), m_error(error) {}
    FileError m_error;
};

// The failure kind for an errno value seen while opening or writing, with it.
FileError FileErrorFromErrno(int err, bool writing);

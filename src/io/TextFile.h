#pragma once
// A line-oriented text file over the C library's buffered streams. Every
// failure of open, write and close becomes a COstrelFileException carrying
// the finished message; the layer itself never shows anything.
//
// Text mode (a mode without "b") keeps the file bytes of the platform whose
// text files the program exchanges: each LF written becomes CR LF, and on
// reading a CR LF line end counts as LF. Bytes pass through unchanged
// otherwise (code page 932, no byte-order mark).
//
// A file opened for writing ("w" modes) replaces its target atomically: the
// bytes go to a temporary file beside it, and only a successful Close puts
// them in place. A failed or abandoned write leaves the old file as it was
// and no temporary file behind.
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "fw/AtomicFile.h"
#include "fw/Types.h"
#include "io/OstrelFileException.h"

class CTextFile {
public:
    CTextFile() = default;
    CTextFile(const CTextFile&) = delete;
    CTextFile& operator=(const CTextFile&) = delete;
    // Closes a stream still open without looking at the result: the path
    // taken after an exception.
    ~CTextFile();

    // mode is a stream mode string ("wt", "rt", "wb"...). Throws on failure,
    // leaving m_strFileName as it was.
    BOOL Open(LPCTSTR path, LPCTSTR mode);
    // Takes over a stream opened elsewhere (a memory buffer, a device that
    // fails on purpose); name stands in messages for the path.
    void Attach(std::FILE* fp, const std::string& name, bool bTextMode);
    // Does nothing when no file is open; throws when the runtime reported an
    // error (the stream is given up either way). A file opened for writing
    // replaces its target here.
    BOOL Close();

    // The next line without its line end, whatever its length, cut at a NUL
    // byte. FALSE at end of file or on a read error, with line empty.
    BOOL ReadLine(std::string& line);
    // Writes text as it is, up to its terminating NUL. Throws on failure; the
    // file stays open.
    BOOL Write(LPCTSTR text);
    // Writes every byte of text, a NUL byte included (a name read from a
    // sheet file may hold one).
    BOOL Write(std::string_view text);
    CTextFile& operator<<(LPCTSTR text) {
        Write(text);
        return *this;
    }
    CTextFile& operator<<(const std::string& text) {
        Write(std::string_view(text));
        return *this;
    }

    bool IsOpen() const { return m_fp != nullptr; }

    std::FILE* m_fp = nullptr;
    std::string m_strFileName;

private:
    void WriteBytes(const char* p, std::size_t n);
    void WriteText(const char* text, std::size_t len);

    std::unique_ptr<CAtomicFile> m_pAtomic; // the replacement a "w" mode writes
    bool m_bText = true;
    char* m_pLineBuf = nullptr; // getline's buffer, kept between calls
    std::size_t m_nLineBufSize = 0;
};

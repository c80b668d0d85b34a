#include "io/TextFile.h"

#include <cstdlib>
#include <cstring>

#include "fw/Os.h"

CTextFile::~CTextFile() {
    if (m_fp)
        std::fclose(m_fp);
    // An open replacement that never reached Close is given up here.
    m_pAtomic.reset();
    std::free(m_pLineBuf);
}

BOOL CTextFile::Open(LPCTSTR path, LPCTSTR mode) {
    // The C library here has no text mode: translation is ours, so the "t"
    // is taken out and remembered.
    std::string fopenMode;
    bool bText = true;
    for (const char* p = mode; *p; ++p) {
        if (*p == 't')
            continue;
        if (*p == 'b')
            bText = false;
        fopenMode += *p;
    }
    std::unique_ptr<CAtomicFile> atomic;
    std::FILE* fp = nullptr;
    if (fopenMode[0] == 'w') {
        // Written beside the target and put in place by Close.
        atomic = std::make_unique<CAtomicFile>();
        if (!atomic->Create(path))
            fp = OsWriteStream(atomic->GetFd());
    } else {
        fp = std::fopen(path, fopenMode.c_str());
    }
    if (!fp)
        throw COstrelFileException::Make(COstrelFileException::Open, path);
    if (m_fp)
        std::fclose(m_fp);
    m_fp = fp;
    m_pAtomic = std::move(atomic);
    m_bText = bText;
    m_strFileName = path;
    return TRUE;
}

void CTextFile::Attach(std::FILE* fp, const std::string& name, bool bTextMode) {
    if (m_fp)
        std::fclose(m_fp);
    m_fp = fp;
    m_pAtomic.reset();
    m_bText = bTextMode;
    m_strFileName = name;
}

BOOL CTextFile::Close() {
    if (!m_fp)
        return TRUE;
    std::FILE* fp = m_fp;
    m_fp = nullptr;
    bool ok = std::fclose(fp) == 0;
    if (m_pAtomic) {
        // Only bytes that all reached the temporary file replace the target.
        if (ok)
            ok = !m_pAtomic->Commit();
        m_pAtomic.reset();
    }
    if (!ok)
        throw COstrelFileException::Make(COstrelFileException::Close, m_strFileName);
    return TRUE;
}

BOOL CTextFile::ReadLine(std::string& line) {
    line.clear();
    if (!m_fp)
        return FALSE;
    ssize_t n = getline(&m_pLineBuf, &m_nLineBufSize, m_fp);
    if (n <= 0)
        return FALSE;
    std::size_t len = static_cast<std::size_t>(n);
    // The text-mode view of the file: a CR LF line end is a single LF.
    if (m_bText && len >= 2 && m_pLineBuf[len - 1] == '\n' && m_pLineBuf[len - 2] == '\r') {
        m_pLineBuf[len - 2] = '\n';
        --len;
    }
    if (const void* nul = std::memchr(m_pLineBuf, '\0', len))
        len = static_cast<std::size_t>(static_cast<const char*>(nul) - m_pLineBuf);
    if (len > 0 && m_pLineBuf[len - 1] == '\n')
        --len;
    if (len > 0 && m_pLineBuf[len - 1] == '\r')
        --len;
    line.assign(m_pLineBuf, len);
    return TRUE;
}

void CTextFile::WriteBytes(const char* p, std::size_t n) {
    if (n == 0)
        return;
    // An unbuffered stream may count bytes it could not pass on, so the
    // error flag is looked at too.
    if (fwrite_unlocked(p, 1, n, m_fp) != n || ferror_unlocked(m_fp))
        throw COstrelFileException::Make(COstrelFileException::Write, m_strFileName);
}

BOOL CTextFile::Write(LPCTSTR text) {
    WriteText(text, std::strlen(text));
    return TRUE;
}

BOOL CTextFile::Write(std::string_view text) {
    WriteText(text.data(), text.size());
    return TRUE;
}

void CTextFile::WriteText(const char* text, std::size_t len) {
    if (!m_fp)
        throw COstrelFileException::Make(COstrelFileException::Write, m_strFileName);
    if (!m_bText) {
        WriteBytes(text, len);
        return;
    }
    const char* p = text;
    const char* end = text + len;
    while (p < end) {
        const char* lf =
            static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        if (!lf) {
            WriteBytes(p, static_cast<std::size_t>(end - p));
            break;
        }
        WriteBytes(p, static_cast<std::size_t>(lf - p));
        WriteBytes("\r\n", 2);
        p = lf + 1;
    }
}

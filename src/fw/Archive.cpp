#include "fw/Archive.h"

#include <cstring>
#include <memory>

namespace {
constexpr WORD wNullTag = 0;
constexpr WORD wNewClassTag = 0xFFFF;
constexpr WORD wClassTag = 0x8000;
constexpr WORD wBigObjectTag = 0x7FFF;
constexpr DWORD dwBigClassTag = 0x80000000;
constexpr std::size_t nMaxClassName = 64;
} // namespace

CArchive::CArchive(std::ostream& out) : m_pOut(&out) {}

CArchive::CArchive(std::string_view data) : m_data(data) {}

void CArchive::ThrowBadFormat() { throw CFileError(FileError::BadFormat); }

void CArchive::Need(std::size_t n) const {
    if (n > BytesLeft())
        ThrowBadFormat();
}

void CArchive::Write(const void* p, std::size_t n) {
    m_pOut->write(static_cast<const char*>(p), static_cast<std::streamsize>(n));
}

void CArchive::Read(void* p, std::size_t n) {
    Need(n);
    std::memcpy(p, m_data.data() + m_pos, n);
    m_pos += n;
}

CArchive& CArchive::operator<<(BYTE v) {
    Write(&v, 1);
    return *this;
}
CArchive& CArchive::operator<<(WORD v) {
    const BYTE b[2] = {BYTE(v), BYTE(v >> 8)};
    Write(b, 2);
    return *this;
}
CArchive& CArchive::operator<<(DWORD v) {
    const BYTE b[4] = {BYTE(v), BYTE(v >> 8), BYTE(v >> 16), BYTE(v >> 24)};
    Write(b, 4);
    return *this;
}
CArchive& CArchive::operator<<(LONG v) { return *this << static_cast<DWORD>(v); }

CArchive& CArchive::operator>>(BYTE& v) {
    Read(&v, 1);
    return *this;
}
CArchive& CArchive::operator>>(WORD& v) {
    BYTE b[2];
    Read(b, 2);
    v = static_cast<WORD>(b[0] | (b[1] << 8));
    return *this;
}
CArchive& CArchive::operator>>(DWORD& v) {
    BYTE b[4];
    Read(b, 4);
    v = DWORD(b[0]) | (DWORD(b[1]) << 8) | (DWORD(b[2]) << 16) | (DWORD(b[3]) << 24);
    return *this;
}
CArchive& CArchive::operator>>(LONG& v) {
    DWORD d;
    *this >> d;
    v = static_cast<LONG>(d);
    return *this;
}

void CArchive::WriteString(const std::string& s) {
    const std::size_t n = s.size();
    if (n < 255) {
        *this << BYTE(n);
    } else if (n < 0xFFFE) {
        *this << BYTE(0xFF) << WORD(n);
    } else {
        *this << BYTE(0xFF) << WORD(0xFFFF) << DWORD(n);
    }
    Write(s.data(), n);
}

std::size_t CArchive::ReadStringLength(bool& wide) {
    BYTE b;
    *this >> b;
    if (b < 0xFF)
        return b;
    WORD w;
    *this >> w;
    if (w == 0xFFFE) {
        // A wide-character string: its real length prefix follows.
        wide = true;
        *this >> b;
        if (b < 0xFF)
            return b;
        *this >> w;
    }
    if (w < 0xFFFF)
        return w;
    DWORD d;
    *this >> d;
    return d;
}

std::string CArchive::ReadString() {
    bool wide = false;
    const std::size_t n = ReadStringLength(wide);
    if (!wide) {
        Need(n);
        std::string s(m_data.substr(m_pos, n));
        m_pos += n;
        return s;
    }
    if (n > BytesLeft() / 2)
        ThrowBadFormat();
    std::u16string w(n, u'\0');
    for (std::size_t i = 0; i < n; ++i) {
        WORD c;
        *this >> c;
        w[i] = static_cast<char16_t>(c);
    }
    return cp932::FromUtf16(w);
}

void CArchive::WriteCount(std::size_t n) {
    if (n < 0xFFFF) {
        *this << WORD(n);
    } else {
        *this << WORD(0xFFFF) << DWORD(n);
    }
}

std::size_t CArchive::ReadCount() {
    WORD w;
    *this >> w;
    std::size_t n = w;
    if (w == 0xFFFF) {
        DWORD d;
        *this >> d;
        n = d;
    }
    // Every element takes at least its two-byte tag.
    if (n > BytesLeft() / 2)
        ThrowBadFormat();
    return n;
}

void CArchive::WriteObject(const CObject* pObj) {
    if (!pObj) {
        *this << wNullTag;
        return;
    }
    const CRuntimeClass* pClass = pObj->GetRuntimeClass();
    auto it = m_storeMap.find(pClass);
    if (it == m_storeMap.end()) {
        // The class is new here: its description takes the next index.
        *this << wNewClassTag << WORD(pClass->m_wSchema);
        const std::size_t len = std::strlen(pClass->m_lpszClassName);
        *this << WORD(len);
        Write(pClass->m_lpszClassName, len);
        m_storeMap.emplace(pClass, m_nMapCount++);
    } else if (it->second < wBigObjectTag) {
        *this << WORD(wClassTag | it->second);
    } else {
        *this << wBigObjectTag << DWORD(dwBigClassTag | it->second);
    }
    // Every object is written once, where it is owned, so it only needs an index.
    m_nMapCount++;
    const_cast<CObject*>(pObj)->Serialize(*this);
}

CObject* CArchive::ReadObject(const CRuntimeClass* pExpected) {
    WORD wTag;
    *this >> wTag;
    DWORD obTag;
    if (wTag == wBigObjectTag) {
        *this >> obTag;
    } else {
        obTag = (DWORD(wTag & wClassTag) << 16) | (wTag & ~wClassTag);
    }

    const CRuntimeClass* pClass = nullptr;
    if (wTag == wNewClassTag) {
        WORD wSchema, nLen;
        *this >> wSchema >> nLen;
        if (nLen >= nMaxClassName)
            ThrowBadFormat();
        char name[nMaxClassName];
        Read(name, nLen);
        pClass = CRuntimeClass::FromName(std::string(name, nLen));
        if (!pClass || pClass->m_wSchema != wSchema)
            ThrowBadFormat();
        m_loadMap.emplace(m_nMapCount++, pClass);
    } else if (!(obTag & dwBigClassTag)) {
        // A null tag or a reference to an earlier object: the sheet never shares objects.
        ThrowBadFormat();
    } else {
        const DWORD index = obTag & ~dwBigClassTag;
        auto it = m_loadMap.find(index);
        if (it == m_loadMap.end())
            ThrowBadFormat();
        pClass = it->second;
    }

    if (!pClass->IsDerivedFrom(pExpected))
        ThrowBadFormat();
    std::unique_ptr<CObject> pObj(pClass->CreateObject());
    m_nMapCount++;
    pObj->Serialize(*this);
    return pObj.release();
}

#include "fw/Archive.h"

#include <cstdint>
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

CArchive::CArchive(std::ostream& out)
    : CArchive(Sink([&out](const char* p, std::size_t n) {
          out.write(p, static_cast<std::streamsize>(n));
      })) {}

CArchive::CArchive(std::string* pOut)
    : CArchive(Sink([pOut](const char* p, std::size_t n) { pOut->append(p, n); })) {}

CArchive::CArchive(Sink sink) : m_sink(std::move(sink)), m_pBlock(new char[kBlock]) {}

CArchive::CArchive(std::string_view data) : m_data(data) {}

CArchive::CArchive(Source source) : m_source(std::move(source)) {}

CArchive::~CArchive() {
    try {
        Flush();
    } catch (...) {
        // Whoever stores through a throwing sink has seen its failure already.
    }
}

bool CArchive::Fill(std::size_t n) {
    std::size_t held = m_data.size() - m_pos;
    if (n <= held)
        return true;
    if (m_bSourceEnded)
        return false;
    if (held && m_pos)
        std::memmove(m_in.get(), m_data.data() + m_pos, held); // what is left, to the front
    m_pos = 0;
    while (held < n) {
        if (held == m_nInSize) {
            // One block, grown only for a field or a look-ahead larger than that,
            // and only as far as the source has bytes for it.
            const std::size_t size = m_nInSize ? m_nInSize * 2 : kBlock;
            std::unique_ptr<char[]> bigger(new char[size]);
            if (held)
                std::memcpy(bigger.get(), m_in.get(), held);
            m_in = std::move(bigger);
            m_nInSize = size;
        }
        const std::size_t got = m_source(m_in.get() + held, m_nInSize - held);
        if (got == 0) {
            m_bSourceEnded = true;
            break;
        }
        held += got;
    }
    m_data = std::string_view(m_in.get(), held);
    return held >= n;
}

std::size_t CArchive::BytesLeft() {
    if (m_source)
        Fill(SIZE_MAX);
    return m_data.size() - m_pos;
}

void CArchive::Flush() {
    if (m_nUsed == 0)
        return;
    // Emptied first: a sink that throws must not be handed the same bytes again.
    const std::size_t n = m_nUsed;
    m_nUsed = 0;
    m_sink(m_pBlock.get(), n);
}

void CArchive::WriteLarge(const void* p, std::size_t n) {
    Flush();
    if (n < kBlock) {
        std::memcpy(m_pBlock.get(), p, n);
        m_nUsed = n;
    } else {
        m_sink(static_cast<const char*>(p), n);
    }
}

void CArchive::ThrowBadFormat() {
    throw CFileError(FileError::BadFormat);
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
    if (!HasBytes(2 * n))
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
    if (!HasBytes(2 * n))
        ThrowBadFormat();
    return n;
}

void CArchive::WriteObject(const CObject* pObj) {
    if (!pObj) {
        *this << wNullTag;
        return;
    }
    const CRuntimeClass* pClass = pObj->GetRuntimeClass();
    if (pClass == m_pLastClass) {
        if (m_nLastIndex < wBigObjectTag)
            *this << WORD(wClassTag | m_nLastIndex);
        else
            *this << wBigObjectTag << DWORD(dwBigClassTag | m_nLastIndex);
        m_nMapCount++;
        const_cast<CObject*>(pObj)->Serialize(*this);
        return;
    }
    auto it = m_storeMap.find(pClass);
    if (it == m_storeMap.end()) {
        // The class is new here: its description takes the next index.
        *this << wNewClassTag << WORD(pClass->m_wSchema);
        const std::size_t len = std::strlen(pClass->m_lpszClassName);
        *this << WORD(len);
        Write(pClass->m_lpszClassName, len);
        m_storeMap.emplace(pClass, m_nMapCount++);
    } else {
        m_pLastClass = pClass;
        m_nLastIndex = it->second;
        if (it->second < wBigObjectTag)
            *this << WORD(wClassTag | it->second);
        else
            *this << wBigObjectTag << DWORD(dwBigClassTag | it->second);
    }
    // Every object is written once, where it is owned, so it only needs an index.
    m_nMapCount++;
    const_cast<CObject*>(pObj)->Serialize(*this);
}

BYTE* CArchive::PutObjectOf(const CRuntimeClass* pClass, std::size_t n) {
    if (!m_pBlock || pClass != m_pLastClass || m_nLastIndex >= wBigObjectTag || n + 2 > kBlock)
        return nullptr;
    if (n + 2 > kBlock - m_nUsed)
        Flush();
    auto* p = reinterpret_cast<BYTE*>(m_pBlock.get() + m_nUsed);
    const WORD tag = WORD(wClassTag | m_nLastIndex);
    p[0] = BYTE(tag);
    p[1] = BYTE(tag >> 8);
    m_nUsed += n + 2;
    m_nMapCount++; // an object takes an index, as in WriteObject
    return p + 2;
}

const CRuntimeClass* CArchive::LoadClass(WORD wTag) {
    DWORD obTag;
    if (wTag == wBigObjectTag) {
        *this >> obTag;
    } else {
        obTag = (DWORD(wTag & wClassTag) << 16) | (wTag & ~wClassTag);
    }

    if (wTag == wNewClassTag) {
        WORD wSchema, nLen;
        *this >> wSchema >> nLen;
        if (nLen >= nMaxClassName)
            ThrowBadFormat();
        char name[nMaxClassName];
        Read(name, nLen);
        const CRuntimeClass* pClass = CRuntimeClass::FromName(std::string(name, nLen));
        if (!pClass || pClass->m_wSchema != wSchema)
            ThrowBadFormat();
        m_loadMap.emplace(m_nMapCount++, pClass);
        return pClass;
    }
    if (!(obTag & dwBigClassTag)) {
        // A null tag or a reference to an earlier object: the sheet never shares objects.
        ThrowBadFormat();
    }
    const DWORD index = obTag & ~dwBigClassTag;
    auto it = m_loadMap.find(index);
    if (it == m_loadMap.end())
        ThrowBadFormat();
    if (wTag != wBigObjectTag) {
        // A short tag always names the same class once it is known.
        m_wLastTag = wTag;
        m_pLastClass = it->second;
    }
    return it->second;
}

const BYTE* CArchive::TakeObjectOf(const CRuntimeClass* pClass, std::size_t n) {
    if (m_pLastClass != pClass || !HasBytes(2 + n))
        return nullptr;
    const auto* p = reinterpret_cast<const BYTE*>(m_data.data() + m_pos);
    if (WORD(p[0] | (p[1] << 8)) != m_wLastTag)
        return nullptr;
    m_pos += 2 + n;
    m_nMapCount++; // an object takes an index, as in ReadObject
    return p + 2;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pExpected) {
    WORD wTag;
    *this >> wTag;
    const CRuntimeClass* pClass =
        m_pLastClass && wTag == m_wLastTag ? m_pLastClass : LoadClass(wTag);
    if (pClass != m_pLastChecked || pExpected != m_pLastExpected) {
        if (!pClass->IsDerivedFrom(pExpected))
            ThrowBadFormat();
        m_pLastChecked = pClass;
        m_pLastExpected = pExpected;
    }
    std::unique_ptr<CObject> pObj(pClass->CreateObject());
    m_nMapCount++;
    pObj->Serialize(*this);
    return pObj.release();
}

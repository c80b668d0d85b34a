#pragma once
// The object archive of the sheet file: little-endian integers, length-
// prefixed strings, counts and tagged objects, byte for byte as the file
// format fixes them. Loading works on bytes held in memory so that no length
// or count is ever trusted beyond the bytes that are left.
#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "fw/Cp932.h"
#include "fw/FileError.h"
#include "fw/Object.h"
#include "fw/Types.h"

class CArchive {
public:
    enum Mode { load, store };

    // A storing archive writing to out.
    explicit CArchive(std::ostream& out);
    // A loading archive reading data (which must outlive the archive).
    explicit CArchive(std::string_view data);

    bool IsStoring() const { return m_pOut != nullptr; }
    bool IsLoading() const { return m_pOut == nullptr; }

    CArchive& operator<<(BYTE v);
    CArchive& operator<<(WORD v);
    CArchive& operator<<(DWORD v);
    CArchive& operator<<(LONG v);
    CArchive& operator>>(BYTE& v);
    CArchive& operator>>(WORD& v);
    CArchive& operator>>(DWORD& v);
    CArchive& operator>>(LONG& v);

    // Strings of code page 932 bytes with their length prefix.
    void WriteString(const std::string& s);
    std::string ReadString();

    // Array counts.
    void WriteCount(std::size_t n);
    std::size_t ReadCount();

    // An object with its class tag (the class is written the first time it occurs).
    void WriteObject(const CObject* pObj);
    // Reads a tagged object; the result must be of class pExpected (or derived
    // from it). Null tags, references and objects of other classes are
    // rejected as a malformed file. The caller owns the result.
    CObject* ReadObject(const CRuntimeClass* pExpected);

    void Write(const void* p, std::size_t n);
    void Read(void* p, std::size_t n);
    std::size_t BytesLeft() const { return m_data.size() - m_pos; }

    // Throws the malformed-file error.
    [[noreturn]] static void ThrowBadFormat();

private:
    void Need(std::size_t n) const;
    std::size_t ReadStringLength(bool& wide);

    std::ostream* m_pOut = nullptr;
    std::string_view m_data;
    std::size_t m_pos = 0;

    // Classes and objects share one counter, starting at 1.
    DWORD m_nMapCount = 1;
    // Objects are never referenced again, so only the classes' indices are kept.
    std::unordered_map<const CRuntimeClass*, DWORD> m_storeMap; // storing: class -> index
    std::unordered_map<DWORD, const CRuntimeClass*> m_loadMap;  // loading: index -> class
};

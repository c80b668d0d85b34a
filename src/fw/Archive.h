#pragma once
// The object archive of the sheet file: little-endian integers, length-
// prefixed strings, counts and tagged objects, byte for byte as the file
// format fixes them. Loading works on bytes held in memory, or read from a
// source block by block (a large file then never sits in memory whole); no
// length or count is ever trusted beyond the bytes that are left. Storing gathers
// the bytes in memory and hands them to the stream in large blocks (a sheet
// is millions of small fields): Flush, or the archive's end, passes on the
// rest, and the stream's state then tells whether every byte arrived.
#include <cstddef>
#include <cstring>
#include <functional>
#include <memory>
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

    // A storing archive writing to out (in blocks; see Flush).
    explicit CArchive(std::ostream& out);
    // A storing archive appending to *pOut, which must outlive the archive;
    // it holds every byte once the archive is flushed or gone. (A pointer, so
    // that a string to be read is never taken for a string to write to.)
    explicit CArchive(std::string* pOut);
    // A storing archive handing its bytes to sink, block by block.
    using Sink = std::function<void(const char* p, std::size_t n)>;
    explicit CArchive(Sink sink);
    // A loading archive reading data (which must outlive the archive).
    explicit CArchive(std::string_view data);
    // A loading archive reading from source, which fills up to n bytes at p
    // and returns how many it gave, 0 only at the end; it throws on failure.
    using Source = std::function<std::size_t(char* p, std::size_t n)>;
    explicit CArchive(Source source);
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;
    // Passes on what is still held (a failure stays in the stream's state).
    ~CArchive();

    bool IsStoring() const { return m_pBlock != nullptr; }
    bool IsLoading() const { return m_pBlock == nullptr; }

    // Hands every byte written so far to the stream, string or sink (nothing
    // to do when loading).
    void Flush();

    // Little-endian, whatever the machine's own order.
    CArchive& operator<<(BYTE v) {
        Write(&v, 1);
        return *this;
    }
    CArchive& operator<<(WORD v) {
        const BYTE b[2] = {BYTE(v), BYTE(v >> 8)};
        Write(b, 2);
        return *this;
    }
    CArchive& operator<<(DWORD v) {
        const BYTE b[4] = {BYTE(v), BYTE(v >> 8), BYTE(v >> 16), BYTE(v >> 24)};
        Write(b, 4);
        return *this;
    }
    CArchive& operator<<(LONG v) { return *this << static_cast<DWORD>(v); }
    CArchive& operator>>(BYTE& v) {
        Read(&v, 1);
        return *this;
    }
    CArchive& operator>>(WORD& v) {
        BYTE b[2];
        Read(b, 2);
        v = static_cast<WORD>(b[0] | (b[1] << 8));
        return *this;
    }
    CArchive& operator>>(DWORD& v) {
        BYTE b[4];
        Read(b, 4);
        v = DWORD(b[0]) | (DWORD(b[1]) << 8) | (DWORD(b[2]) << 16) | (DWORD(b[3]) << 24);
        return *this;
    }
    CArchive& operator>>(LONG& v) {
        DWORD d;
        *this >> d;
        v = static_cast<LONG>(d);
        return *this;
    }

    // Strings of code page 932 bytes with their length prefix.
    void WriteString(const std::string& s);
    std::string ReadString();

    // Array counts.
    void WriteCount(std::size_t n);
    std::size_t ReadCount();

    // An object with its class tag (the class is written the first time it occurs).
    void WriteObject(const CObject* pObj);
    // Storing, the short way for a run of small objects of one class: when
    // pClass is the class last written, writes the object's tag and returns
    // room for the n bytes its Serialize would write, for the caller to fill
    // in. Otherwise writes nothing and returns nullptr: WriteObject then does
    // the whole work.
    BYTE* PutObjectOf(const CRuntimeClass* pClass, std::size_t n);
    // Reads a tagged object; the result must be of class pExpected (or derived
    // from it). Null tags, references and objects of other classes are
    // rejected as a malformed file. The caller owns the result.
    CObject* ReadObject(const CRuntimeClass* pExpected);
    // The short way to a run of small objects of one class (a row's cells):
    // when the next object is tagged as the class last read and that class
    // is pClass, takes its tag and returns the n bytes that follow, for the
    // caller to read as pClass's Serialize would. Otherwise, or with fewer
    // bytes left, takes nothing and returns nullptr: ReadObject then does the
    // whole work, errors included. The caller vouches that pClass is of the
    // class it expects.
    const BYTE* TakeObjectOf(const CRuntimeClass* pClass, std::size_t n);

    void Write(const void* p, std::size_t n) {
        if (n <= kBlock - m_nUsed) {
            std::memcpy(m_pBlock.get() + m_nUsed, p, n);
            m_nUsed += n;
        } else {
            WriteLarge(p, n);
        }
    }
    void Read(void* p, std::size_t n) {
        Need(n);
        std::memcpy(p, m_data.data() + m_pos, n);
        m_pos += n;
    }
    // How many bytes are left to load (reads a source to its end).
    std::size_t BytesLeft();
    // Whether at least n bytes are left to load (reads no further than that).
    bool HasBytes(std::size_t n) { return n <= m_data.size() - m_pos || (m_source && Fill(n)); }

    // Throws the malformed-file error.
    [[noreturn]] static void ThrowBadFormat();

private:
    static constexpr std::size_t kBlock = 128 * 1024;

    void Need(std::size_t n) {
        if (!HasBytes(n))
            ThrowBadFormat();
    }
    // Reads from the source until n bytes are held or it ends; whether they are.
    bool Fill(std::size_t n);
    std::size_t ReadStringLength(bool& wide);
    const CRuntimeClass* LoadClass(WORD wTag);
    void WriteLarge(const void* p, std::size_t n);

    // Storing: bytes gather in the block and go to the sink when it is full.
    Sink m_sink;
    std::unique_ptr<char[]> m_pBlock; // null when loading
    std::size_t m_nUsed = 0;
    // Loading: the bytes not yet taken are m_data from m_pos on. From a
    // source, m_data is the part of m_in filled so far.
    std::string_view m_data;
    std::size_t m_pos = 0;
    Source m_source;
    std::unique_ptr<char[]> m_in;
    std::size_t m_nInSize = 0;
    bool m_bSourceEnded = false;

    // Classes and objects share one counter, starting at 1.
    DWORD m_nMapCount = 1;
    // Objects are never referenced again, so only the classes' indices are kept.
    std::unordered_map<const CRuntimeClass*, DWORD> m_storeMap; // storing: class -> index
    std::unordered_map<DWORD, const CRuntimeClass*> m_loadMap;  // loading: index -> class
    // A sheet is a long run of objects of one class: the last class met and
    // its index (storing) or tag (loading) spare a map look-up per object.
    const CRuntimeClass* m_pLastClass = nullptr;
    DWORD m_nLastIndex = 0;
    WORD m_wLastTag = 0;
    // The last class found to be of the class a caller expected.
    const CRuntimeClass* m_pLastChecked = nullptr;
    const CRuntimeClass* m_pLastExpected = nullptr;
};

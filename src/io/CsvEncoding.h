#pragma once
// The character set of a CSV file. The sheet keeps code page 932, and so do
// the CSV files it writes; spreadsheets and scripts today mostly write UTF-8.
// A file is taken as UTF-8 when it starts with the UTF-8 byte-order mark, or
// when it is valid UTF-8 from start to end and holds at least one multi-byte
// sequence: code page 932 text with any byte above 0x7F is almost never
// valid UTF-8, while plain ASCII reads the same either way. Everything else
// is code page 932 and passes through untouched.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CTextFile;

enum class CsvEncoding {
    Cp932,        // code page 932 (or ASCII): the bytes as they are
    Utf8WithMark, // UTF-8 after a byte-order mark
    Utf8,         // UTF-8 without a mark
};

CsvEncoding DetectCsvEncoding(std::string_view bytes);

// Length of the longest prefix of bytes that is well-formed UTF-8 (no
// overlong forms, no surrogates, nothing above U+10FFFF); bytes.size()
// when all of it is. multiByte tells whether that prefix holds a sequence
// of more than one byte.
std::size_t ValidUtf8Prefix(std::string_view bytes, bool* multiByte = nullptr);

// A UTF-8 CSV in the sheet's code page: the mark dropped, the text
// converted. When some characters have no code in code page 932, or the
// bytes after a mark are not UTF-8, nothing is converted and message says
// why (UTF-8, for the user).
struct CsvConversion {
    bool ok = false;
    std::string text;                  // code page 932 bytes when ok
    std::string message;               // the refusal otherwise
    std::vector<std::string> rejected; // each character that cannot be held, once
};
CsvConversion ConvertUtf8Csv(std::string_view bytes, CsvEncoding encoding);

// Reads the whole of an open CSV file. Code page 932 is left for the usual
// reading (the stream put back to its start); UTF-8 is replaced by a stream
// over its conversion. A refusal is shown to the user and returns false:
// nothing is to be imported then.
bool PrepareCsvImport(CTextFile& file);

// CSV bytes as the sheet writes them (code page 932) in UTF-8 with a
// byte-order mark. False when a byte sequence is no code page 932 character
// (a name read from a damaged file): it would come out as a replacement
// character, so the caller refuses rather than write something else.
bool CsvToUtf8WithMark(std::string_view cp932Bytes, std::string& utf8);

#include "io/CsvEncoding.h"

#include <cstdio>
#include <cstring>

#include "fw/Cp932.h"
#include "fw/UserInterface.h"
#include "io/TextFile.h"

namespace {

constexpr std::string_view kMark = "\xEF\xBB\xBF";
// A message box stays readable: the first characters name the problem well
// enough.
constexpr std::size_t kMaxNamed = 20;

bool IsTrail(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// A read-only stream over text it owns, for the line reader.
struct StringSource {
    std::string text;
    std::size_t pos = 0;
};

std::FILE* OpenStringStream(std::string text) {
    cookie_io_functions_t io{};
    io.read = [](void* c, char* buf, size_t n) -> ssize_t {
        auto* s = static_cast<StringSource*>(c);
        const std::size_t k = std::min(n, s->text.size() - s->pos);
        std::memcpy(buf, s->text.data() + s->pos, k);
        s->pos += k;
        return static_cast<ssize_t>(k);
    };
    // Seeking lets the import look ahead over the text and come back.
    io.seek = [](void* c, off64_t* offset, int whence) -> int {
        auto* s = static_cast<StringSource*>(c);
        const off64_t base = whence == SEEK_SET   ? 0
                             : whence == SEEK_CUR ? static_cast<off64_t>(s->pos)
                                                  : static_cast<off64_t>(s->text.size());
        const off64_t to = base + *offset;
        if (to < 0 || to > static_cast<off64_t>(s->text.size()))
            return -1;
        s->pos = static_cast<std::size_t>(to);
        *offset = to;
        return 0;
    };
    io.close = [](void* c) -> int {
        delete static_cast<StringSource*>(c);
        return 0;
    };
    auto* source = new StringSource{std::move(text), 0};
    std::FILE* fp = fopencookie(source, "r", io);
    if (!fp)
        delete source;
    return fp;
}

} // namespace

std::size_t ValidUtf8Prefix(std::string_view s, bool* multiByte) {
    bool multi = false;
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t n;
        unsigned char lo = 0x80, hi = 0xBF; // the allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            n = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 3;
            if (c == 0xE0)
                lo = 0xA0; // overlong
            else if (c == 0xED)
                hi = 0x9F; // surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 4;
            if (c == 0xF0)
                lo = 0x90; // overlong
            else if (c == 0xF4)
                hi = 0x8F; // above U+10FFFF
        } else {
            break; // a trail byte alone, C0, C1, F5 and above
        }
        if (i + n > s.size())
            break;
        const auto second = static_cast<unsigned char>(s[i + 1]);
        if (second < lo || second > hi)
            break;
        bool ok = true;
        for (std::size_t k = 2; k < n; ++k)
            ok = ok && IsTrail(static_cast<unsigned char>(s[i + k]));
        if (!ok)
            break;
        multi = true;
        i += n;
    }
    if (multiByte)
        *multiByte = multi;
    return i;
}

CsvEncoding DetectCsvEncoding(std::string_view bytes) {
    if (bytes.substr(0, kMark.size()) == kMark)
        return CsvEncoding::Utf8WithMark;
    bool multi = false;
    if (ValidUtf8Prefix(bytes, &multi) == bytes.size() && multi)
        return CsvEncoding::Utf8;
    return CsvEncoding::Cp932;
}

CsvConversion ConvertUtf8Csv(std::string_view bytes, CsvEncoding encoding) {
    CsvConversion r;
    if (encoding == CsvEncoding::Utf8WithMark)
        bytes.remove_prefix(kMark.size());
    const std::size_t valid = ValidUtf8Prefix(bytes);
    if (valid != bytes.size()) {
        // Only a file with the mark gets here: without it, such a file is code page 932.
        const std::size_t offset =
            valid + (encoding == CsvEncoding::Utf8WithMark ? kMark.size() : 0);
        r.message = "このCSVファイルはUTF-8の印で始まっていますが、" + std::to_string(offset + 1) +
                    "バイト目からUTF-8として読めません。\nインポートは行いませんでした。";
        return r;
    }
    cp932::EncodeResult e = cp932::FromUtf8(std::string(bytes));
    if (e.ok()) {
        r.ok = true;
        r.text = std::move(e.text);
        return r;
    }
    std::string list;
    for (const std::string& ch : e.rejected) {
        bool seen = false;
        for (const std::string& named : r.rejected)
            seen = seen || named == ch;
        if (seen)
            continue;
        r.rejected.push_back(ch);
        if (r.rejected.size() <= kMaxNamed)
            list += "「" + ch + "」";
    }
    if (r.rejected.size() > kMaxNamed)
        list += " ほか" + std::to_string(r.rejected.size() - kMaxNamed) + "文字";
    r.message = "このCSVファイル（UTF-8）には、シートに保存できない文字があります"
                "（シフトJISにない文字です）: " +
                list + "\nインポートは行いませんでした。";
    return r;
}

bool PrepareCsvImport(CTextFile& file) {
    std::FILE* fp = file.m_fp;
    if (!fp)
        return true;
    std::string bytes;
    char buf[1 << 16];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, fp)) > 0)
        bytes.append(buf, n);
    // A file that cannot be read to its end is read line by line as before,
    // up to where it fails.
    const CsvEncoding encoding = std::ferror(fp) ? CsvEncoding::Cp932 : DetectCsvEncoding(bytes);
    if (encoding == CsvEncoding::Cp932) {
        std::clearerr(fp);
        if (std::fseek(fp, 0, SEEK_SET) == 0)
            return true;
        // A pipe cannot go back: read again from what was taken.
        if (std::FILE* again = OpenStringStream(std::move(bytes))) {
            file.Attach(again, file.m_strFileName, true);
            return true;
        }
        return false;
    }
    CsvConversion c = ConvertUtf8Csv(bytes, encoding);
    if (!c.ok) {
        AfxGetUserInterface().MessageBox(c.message, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    std::FILE* converted = OpenStringStream(std::move(c.text));
    if (!converted)
        return false;
    file.Attach(converted, file.m_strFileName, true);
    return true;
}

bool CsvToUtf8WithMark(std::string_view cp932Bytes, std::string& utf8) {
    static constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
    std::string text = cp932::ToUtf8(std::string(cp932Bytes));
    // Code page 932 has no code for the replacement character, so any in the
    // result stands for bytes that were no character.
    if (text.find(kReplacement) != std::string::npos)
        return false;
    utf8.assign(kMark);
    utf8 += text;
    return true;
}

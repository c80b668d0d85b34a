#include "fw/Cp932.h"

#include <iconv.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>

namespace cp932 {

std::size_t CharLength(const std::string& s, std::size_t pos) {
    if (pos + 1 < s.size() && IsLeadByte(static_cast<unsigned char>(s[pos])))
        return 2;
    return 1;
}

std::size_t CharCount(const std::string& s) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < s.size(); i += CharLength(s, i))
        ++n;
    return n;
}

namespace {

// One iconv conversion descriptor per direction, opened once.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts one unit; false when the input is invalid or cannot be represented.
    bool Convert(const char* in, std::size_t inLen, std::string& out) {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char buf[16];
        char* src = const_cast<char*>(in);
        std::size_t srcLeft = inLen;
        char* dst = buf;
        std::size_t dstLeft = sizeof buf;
        if (iconv(m_cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1) || srcLeft)
            return false;
        out.append(buf, dst - buf);
        return true;
    }

private:
    iconv_t m_cd;
};

Converter& ToUtf8Conv() {
    thread_local Converter c("UTF-8", "CP932");
    return c;
}
Converter& FromUtf8Conv() {
    thread_local Converter c("CP932", "UTF-8");
    return c;
}

const char kReplacement[] = "\xEF\xBF\xBD";

std::size_t Utf8Length(unsigned char c) {
    if (c < 0x80)
        return 1;
    if ((c & 0xE0) == 0xC0)
        return 2;
    if ((c & 0xF0) == 0xE0)
        return 3;
    if ((c & 0xF8) == 0xF0)
        return 4;
    return 1;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Characters that other systems' input methods produce where Windows text has another.
const char* Fold(const std::string& ch) {
    static const struct {
        const char* from;
        const char* to;
    } table[] = {
        {"\u301C", "\uFF5E"}, {"\u2212", "\uFF0D"}, {"\u2016", "\u2225"}, {"\u2014", "\u2015"},
        {"\u00A2", "\uFFE0"}, {"\u00A3", "\uFFE1"}, {"\u00AC", "\uFFE2"},
    };
    for (const auto& f : table)
        if (ch == f.from)
            return f.to;
    return nullptr;
}

} // namespace

std::string ToUtf8(const std::string& s) {
    std::string out;
    out.reserve(s.size() + s.size() / 2);
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        std::size_t n = CharLength(s, i);
        if (!ToUtf8Conv().Convert(s.data() + i, n, out)) {
            // A lead byte whose trail byte does not fit: only the lead byte is lost.
            out += kReplacement;
            n = 1;
        }
        i += n;
    }
    return out;
}

EncodeResult FromUtf8(const std::string& s) {
    EncodeResult r;
    r.text.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            r.text += static_cast<char>(c);
            ++i;
            continue;
        }
        std::size_t n = Utf8Length(c);
        if (i + n > s.size())
            n = s.size() - i;
        std::string ch = s.substr(i, n);
        if (const char* folded = Fold(ch))
            ch = folded;
        if (!FromUtf8Conv().Convert(ch.data(), ch.size(), r.text))
            r.rejected.push_back(s.substr(i, n));
        i += n;
    }
    return r;
}

std::string FromUtf8OrDie(const std::string& utf8Text) {
    EncodeResult r = FromUtf8(utf8Text);
    if (!r.ok())
        std::abort();
    return r.text;
}

std::string FromUtf16(const std::u16string& text) {
    std::string utf8;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = U'?';
        }
        AppendUtf8(utf8, cp);
    }
    EncodeResult r = FromUtf8(utf8);
    if (r.ok())
        return r.text;
    // Encode again character by character so each unconvertible one becomes '?'.
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t n = Utf8Length(static_cast<unsigned char>(utf8[i]));
        EncodeResult one = FromUtf8(utf8.substr(i, n));
        out += one.ok() ? one.text : std::string("?");
        i += n;
    }
    return out;
}

std::string RejectedMessage(const std::vector<std::string>& rejected) {
    std::string list;
    for (const std::string& ch : rejected) {
        if (list.find(ch) != std::string::npos)
            continue;
        if (!list.empty())
            list += " ";
        list += "「" + ch + "」";
    }
    return "次の文字は保存できません（シフトJISにない文字です）: " + list;
}

} // namespace cp932

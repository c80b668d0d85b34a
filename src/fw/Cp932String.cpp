#include "fw/Cp932String.h"

#include "fw/Cp932.h"

void TrimChar(std::string& s, char ch) {
    // ch is below 0x40 wherever this is used, so it never sits inside a
    // double-byte character and a byte scan is exact.
    const std::size_t first = s.find_first_not_of(ch);
    if (first == std::string::npos) {
        s.clear();
        return;
    }
    s.erase(s.find_last_not_of(ch) + 1);
    s.erase(0, first);
}

unsigned int Cp932UpperChar(unsigned int ch) {
    if (ch >= 'a' && ch <= 'z')
        return ch - ('a' - 'A');
    // Full-width a..z (0x8281..0x829A) to full-width A..Z (0x8260..0x8279).
    if (ch >= 0x8281 && ch <= 0x829A)
        return ch - (0x8281 - 0x8260);
    return ch;
}

namespace {
// The character at pos and the position after it; 0 at the end.
unsigned int NextChar(const std::string& s, std::size_t& pos) {
    if (pos >= s.size())
        return 0;
    const std::size_t n = cp932::CharLength(s, pos);
    unsigned int ch = static_cast<unsigned char>(s[pos]);
    if (n == 2)
        ch = (ch << 8) | static_cast<unsigned char>(s[pos + 1]);
    pos += n;
    return ch;
}
} // namespace

int CompareNoCase(const std::string& a, const std::string& b) {
    std::size_t i = 0, j = 0;
    for (;;) {
        const unsigned int ca = Cp932UpperChar(NextChar(a, i));
        const unsigned int cb = Cp932UpperChar(NextChar(b, j));
        if (ca != cb)
            return static_cast<int>(ca) - static_cast<int>(cb);
        if (ca == 0)
            return 0;
    }
}

#pragma once
// Code page 932 (the Windows mapping of Shift_JIS): byte walking and
// conversion to and from UTF-8 at the program's edges.
#include <cstddef>
#include <string>
#include <vector>

namespace cp932 {

// First byte of a double-byte character.
constexpr bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Length in bytes of the character starting at pos (1 or 2; 1 for a lead byte
// at the very end of the text).
std::size_t CharLength(const std::string& s, std::size_t pos);

// Number of characters, a double-byte character counting as one.
std::size_t CharCount(const std::string& s);

// Text in UTF-8; bytes that are not valid code page 932 become U+FFFD.
std::string ToUtf8(const std::string& cp932Text);

struct EncodeResult {
    std::string text;                  // the code page 932 bytes of what could be converted
    std::vector<std::string> rejected; // each character (UTF-8) that code page 932 cannot hold
    bool ok() const { return rejected.empty(); }
};

// Text in code page 932, after folding the characters that input methods on
// other systems produce for the Windows ones (U+301C to U+FF5E and so on).
EncodeResult FromUtf8(const std::string& utf8Text);

// Convenience for literals and texts known to be representable.
std::string FromUtf8OrDie(const std::string& utf8Text);

// UTF-16LE code units to code page 932; unconvertible characters become '?',
// as the platform's own conversion does.
std::string FromUtf16(const std::u16string& text);

// A message naming the characters that cannot be stored (UTF-8).
std::string RejectedMessage(const std::vector<std::string>& rejected);

} // namespace cp932

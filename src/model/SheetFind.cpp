#include "model/SheetFind.h"

#include <algorithm>

#include "fw/Cp932.h"
#include "model/CheckItem.h"
#include "model/SheetFile.h"

namespace {

// Half-width katakana U+FF61..U+FF9F in their full-width forms.
constexpr char16_t kFullKana[] = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9,
    0x30E3, 0x30E5, 0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB,
    0x30AD, 0x30AF, 0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1,
    0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5,
    0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8, 0x30E9,
    0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C};
static_assert(sizeof(kFullKana) / sizeof(kFullKana[0]) == 0xFF9F - 0xFF61 + 1);

constexpr char32_t kVoiced = 0xFF9E, kSemiVoiced = 0xFF9F;

// The kana a half-width voiced (or semi-voiced) mark turns full-width kana
// into, or 0 where the mark stays a mark of its own.
char32_t Voiced(char32_t kana, char32_t mark) {
    const bool ka_to = (kana >= 0x30AB && kana <= 0x30C2 && (kana - 0x30AB) % 2 == 0) ||
                       kana == 0x30C4 || kana == 0x30C6 || kana == 0x30C8;
    const bool ha_ho = kana >= 0x30CF && kana <= 0x30DB && (kana - 0x30CF) % 3 == 0;
    if (mark == kVoiced) {
        if (ka_to || ha_ho)
            return kana + 1;
        if (kana == 0x30A6)
            return 0x30F4; // ヴ
    } else if (mark == kSemiVoiced && ha_ho) {
        return kana + 2;
    }
    return 0;
}

char32_t FoldChar(char32_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E)
        c -= 0xFEE0; // full-width ASCII
    else if (c == 0x3000)
        c = U' ';
    else if (c >= 0xFF61 && c <= 0xFF9F)
        return kFullKana[c - 0xFF61];
    if (c >= U'A' && c <= U'Z')
        return c + 0x20;
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) // Greek capitals
        return c + 0x20;
    if (c >= 0x410 && c <= 0x42F) // Cyrillic capitals
        return c + 0x20;
    if (c == 0x401)
        return 0x451;
    return c;
}

// The code points of UTF-8 text (which cp932::ToUtf8 always gives valid).
std::u32string Decode(const std::string& utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char b = static_cast<unsigned char>(utf8[i]);
        const int len = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        char32_t c = len == 1 ? b : len == 2 ? b & 0x1F : len == 3 ? b & 0x0F : b & 0x07;
        for (int k = 1; k < len && i + k < utf8.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        out.push_back(c);
        i += len;
    }
    return out;
}

bool Contains(const std::string& text, const std::u32string& query) {
    if (text.empty())
        return false;
    const std::u32string folded = FoldForFind(text);
    return std::search(folded.begin(), folded.end(), query.begin(), query.end()) != folded.end();
}

template <class T> bool Matches(const T& item, const std::u32string& query) {
    return Contains(item.m_strName, query) || Contains(item.m_strDetail, query);
}

} // namespace

std::u32string FoldForFind(const std::string& cp932Text) {
    bool ascii = true;
    for (char ch : cp932Text)
        ascii = ascii && static_cast<unsigned char>(ch) < 0x80;
    // Most names are plain ASCII: no conversion needed.
    const std::u32string points = ascii ? std::u32string(cp932Text.begin(), cp932Text.end())
                                        : Decode(cp932::ToUtf8(cp932Text));
    std::u32string out;
    out.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const char32_t c = points[i];
        char32_t f = FoldChar(c);
        if (c >= 0xFF61 && c <= 0xFF9D && i + 1 < points.size())
            if (const char32_t v = Voiced(f, points[i + 1])) {
                f = v;
                ++i;
            }
        out.push_back(f);
    }
    return out;
}

std::vector<CFindMatch> FindAll(const CSheetFile& sheet, const std::u32string& query,
                                const std::function<bool(int)>& shown) {
    std::vector<CFindMatch> found;
    if (query.empty())
        return found;
    for (int j = 0; j < sheet.m_Columns.GetSize(); ++j)
        if (Matches(*sheet.m_Columns[j], query))
            found.push_back({true, j});
    sheet.ForEachContent(0, sheet.GetSize(), [&](int i, const CLineData& line) {
        if ((!shown || shown(i)) && Matches(line, query))
            found.push_back({false, i});
        return true;
    });
    return found;
}

std::optional<CCellPos> FindNextUnchecked(const CSheetFile& sheet, int line, int column) {
    const int n = sheet.GetSize();
    if (n == 0)
        return std::nullopt;
    // Start after the given cell; from before the first cell, at the first.
    const int start = std::clamp(line, 0, n - 1);
    int after = line < 0 ? -1 : column;
    std::optional<CCellPos> found;
    auto scan = [&](int i, const CLineData& row) {
        for (int k = std::max(after + 1, 0); k < row.GetSize(); ++k)
            if (const CCheckItem* c = AsCheckItem(row.GetAt(k)); c && !c->m_bCheck) {
                found = CCellPos{i, k};
                return false;
            }
        after = -1;
        return true;
    };
    sheet.ForEachContent(start, n, scan);
    // Wrapped: from the first row up to the start row, whole.
    if (!found)
        sheet.ForEachContent(0, std::min(start + 1, n), scan);
    return found;
}

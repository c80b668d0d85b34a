#include "qt/PrintSetup.h"

#include <QFile>
#include <QHash>
#include <QMarginsF>
#include <QPageLayout>
#include <QPrinter>
#include <QRawFont>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "fw/Cp932.h"

namespace {

QMarginsF& RunMargins() {
    static QMarginsF margins(10, 10, 10, 10);
    return margins;
}

// Every character code page 932 holds (all in the BMP).
const QSet<char16_t>& Cp932Repertoire() {
    static const QSet<char16_t> set = [] {
        QSet<char16_t> out;
        auto add = [&out](const std::string& bytes) {
            const QString s = QString::fromStdString(cp932::ToUtf8(bytes));
            if (s.size() == 1 && s[0] != QChar::ReplacementCharacter)
                out.insert(s[0].unicode());
        };
        for (int b = 0x20; b <= 0xDF; ++b)
            if (!cp932::IsLeadByte(static_cast<unsigned char>(b)) && b != 0x7F)
                add(std::string(1, char(b)));
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!cp932::IsLeadByte(static_cast<unsigned char>(lead)))
                continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail)
                if (trail != 0x7F)
                    add(std::string{char(lead), char(trail)});
        }
        return out;
    }();
    return set;
}

// A font's glyphs for the code page 932 characters, and the way back.
class CGlyphOwners {
public:
    explicit CGlyphOwners(const QFont& font) : m_raw(QRawFont::fromFont(font)) {
        QString all;
        for (char16_t c : Cp932Repertoire())
            all += QChar(c);
        const QList<quint32> glyphs = m_raw.glyphIndexesForString(all);
        for (qsizetype i = 0; i < glyphs.size() && i < all.size(); ++i)
            if (glyphs[i] != 0 && !m_owner.contains(glyphs[i]))
                m_owner.insert(glyphs[i], all[i].unicode());
    }
    // The code page 932 character drawn with u's glyph, if any.
    std::optional<char16_t> OwnerOf(char16_t u) const {
        const QList<quint32> g = m_raw.glyphIndexesForString(QString(QChar(u)));
        if (g.size() != 1 || g[0] == 0)
            return std::nullopt;
        const auto it = m_owner.constFind(g[0]);
        return it == m_owner.cend() ? std::nullopt : std::optional<char16_t>(*it);
    }

private:
    QRawFont m_raw;
    QHash<quint32, char16_t> m_owner;
};

// Rewrites in place the destinations (single BMP code units) of one map's
// bfchar and bfrange entries; the length stays, so no offset in the file moves.
int RestoreMap(char* begin, char* end, const QList<QFont>& fonts,
               std::vector<std::optional<CGlyphOwners>>& owners) {
    int changed = 0;
    auto fix = [&](char* hex) { // hex: the four digits after '<'
        bool ok = false;
        const char16_t u = char16_t(QByteArray(hex, 4).toUInt(&ok, 16));
        if (!ok || Cp932Repertoire().contains(u))
            return;
        for (std::size_t i = 0; i < std::size_t(fonts.size()); ++i) {
            if (!owners[i])
                owners[i].emplace(fonts[qsizetype(i)]);
            if (const auto c = owners[i]->OwnerOf(u)) {
                const QByteArray digits =
                    QByteArray::number(uint(*c), 16).toUpper().rightJustified(4, '0');
                std::copy(digits.begin(), digits.end(), hex);
                ++changed;
                return;
            }
        }
    };
    enum { kNone, kChar, kRange } block = kNone;
    for (char* line = begin; line < end;) {
        char* const eol = std::find(line, end, '\n');
        const std::string_view l(line, std::size_t(eol - line));
        if (l.ends_with("beginbfchar")) {
            block = kChar;
        } else if (l.ends_with("beginbfrange")) {
            block = kRange;
        } else if (l.starts_with("end")) {
            block = kNone;
        } else if (block != kNone) {
            // <src> <dst>, <lo> <hi> [<dst> ...] or <lo> <hi> <dst>; the last
            // stands for a run of code points, so only a range of one is
            // rewritten.
            std::vector<char*> tokens;
            for (char* p = line; p < eol; ++p)
                if (*p == '<')
                    tokens.push_back(p + 1);
            std::size_t first = block == kChar ? 1 : 2;
            if (block == kRange && l.find('[') == std::string_view::npos &&
                !(tokens.size() == 3 && std::equal(tokens[0], tokens[0] + 4, tokens[1])))
                first = tokens.size();
            for (std::size_t k = first; k < tokens.size(); ++k)
                if (tokens[k] + 4 < eol && tokens[k][4] == '>')
                    fix(tokens[k]);
        }
        line = eol + 1;
    }
    return changed;
}

} // namespace

void ApplyRunMargins(QPrinter& printer) {
    printer.setPageMargins(RunMargins(), QPageLayout::Millimeter);
}

void KeepRunMargins(const QPrinter& printer) {
    RunMargins() = printer.pageLayout().margins(QPageLayout::Millimeter);
}

int RestorePdfText(const QString& pdfPath, const QList<QFont>& fonts) {
    QFile file(pdfPath);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    QByteArray pdf = file.readAll();
    file.close();
    std::vector<std::optional<CGlyphOwners>> owners(std::size_t(fonts.size()));
    int changed = 0;
    static const QRegularExpression ref(QStringLiteral("/ToUnicode\\s+(\\d+)\\s+0\\s+R"));
    for (auto it = ref.globalMatch(QString::fromLatin1(pdf)); it.hasNext();) {
        const QByteArray head = "\n" + it.next().captured(1).toLatin1() + " 0 obj";
        const qsizetype obj = pdf.indexOf(head);
        const qsizetype stream = obj < 0 ? -1 : pdf.indexOf("stream", obj);
        const qsizetype end = stream < 0 ? -1 : pdf.indexOf("endstream", stream);
        // A compressed map is left as it is.
        if (end < 0 || pdf.mid(obj, stream - obj).contains("/Filter"))
            continue;
        changed += RestoreMap(pdf.data() + stream, pdf.data() + end, fonts, owners);
    }
    if (changed == 0)
        return 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(pdf) != pdf.size())
        return -1;
    return changed;
}

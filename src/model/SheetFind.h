#pragma once
// Finding in a sheet: row and column names and details, matched blind to
// case and to character width (half-width katakana, full-width letters and
// digits match their other forms), and the next unchecked check cell.
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CSheetFile;

// A text as the search compares it: code points with case and width folded.
std::u32string FoldForFind(const std::string& cp932Text);

struct CFindMatch {
    bool bColumn = false; // a column's header, else a row
    int index = 0;
    bool operator==(const CFindMatch&) const = default;
};

// Every match of a folded, non-empty query, columns first (they sit above
// the rows), then rows in order; rows for which shown says false are left
// out. Empty for an empty query.
std::vector<CFindMatch> FindAll(const CSheetFile& sheet, const std::u32string& query,
                                const std::function<bool(int)>& shown = {});

// The check cell after (line, column) in reading order, right along the row
// and then down, wrapping after the last; the cell itself comes last of all.
// A position of -1 starts before the first cell. nullopt when every check
// cell is checked.
struct CCellPos {
    int line = 0;
    int column = 0;
    bool operator==(const CCellPos&) const = default;
};
std::optional<CCellPos> FindNextUnchecked(const CSheetFile& sheet, int line, int column);

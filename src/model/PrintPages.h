#pragma once
// Which rows and columns go on which printed page. Every row and every column
// is printed whole; the header row and the row-name column are repeated on
// every page, so a page holds as many rows and columns as fit beside them.
// Pages run down the sheet first, then across. Sizes are screen pixels.
#include <vector>

struct CPrintPage {
    int nFirstLine = 0; // rows [nFirstLine, nEndLine)
    int nEndLine = 0;
    int nFirstColumn = 0; // columns [nFirstColumn, nEndColumn)
    int nEndColumn = 0;
    // The grid on the page: the name column and header plus these cells, and
    // the closing line one pixel beyond.
    int nWidth = 0;
    int nHeight = 0;
};

struct CPrintMetrics {
    int nLines = 0;
    int nColumns = 0;
    int nNameWidth = 0;   // the row-name column
    int nColumnWidth = 0; // every column
    int nHeadHeight = 0;  // the header row
    int nLineHeight = 0;  // every row
};

// The pages for an area of areaWidth x areaHeight. A page always holds at
// least one row and one column (when the sheet has any), even when a single
// one is larger than the area: it is then the only part cut. A sheet without
// rows still prints its header, one page per band of columns.
std::vector<CPrintPage> PaginateSheet(const CPrintMetrics& m, int areaWidth, int areaHeight);

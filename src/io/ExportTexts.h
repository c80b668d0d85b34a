#pragma once
// The texts CSV and HTML export share (code page 932): the corner field of
// the header and the marks of a check cell.
#include <string>

#include "fw/Types.h"

// "項目名"
const std::string& CornerName();
// "○" and "×"
const std::string& CheckedMark();
const std::string& UncheckedMark();
// A check cell's mark in a mark style: 0 gives "○" / "×", 1 gives "1" / "0",
// any other style nothing.
std::string MarkText(int nStyle, BOOL bCheck);

#pragma once
// Small text helpers over code page 932 strings: trimming a character from
// both ends, and case-blind comparison as attribute names are matched:
// character by character (a double-byte character counts as one), ASCII
// letters and the full-width Latin letters folded to upper case.
#include <string>

// Removes every leading and every trailing ch (an ASCII byte below 0x40,
// which never sits inside a double-byte character).
void TrimChar(std::string& s, char ch);

// 0 when equal, otherwise the difference of the first differing characters
// (a double-byte character is lead * 256 + trail; the end of a text is 0).
int CompareNoCase(const std::string& a, const std::string& b);

// One character's value, upper-cased.
unsigned int Cp932UpperChar(unsigned int ch);

#pragma once
// Turns user text into HTML text: & < > " ' become entity references. The
// five bytes are all below 0x40, so no second byte of a double-byte
// character is ever touched.
#include <string>

std::string HtmlEscape(const std::string& text);

#pragma once
// What the command-line tool reads: regular files only. A pipe or a device
// is refused up front, with a message: a pipe without a writer would block
// the tool forever, and a device such as /dev/zero never ends.
#include <string>

// True for a regular file (links followed); otherwise prints why on
// standard error and returns false. A missing file and a folder pass: their
// reader gives its own message.
bool CheckRegularInput(const std::string& path);

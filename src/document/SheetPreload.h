#pragma once
// A sheet file read on a thread of its own. The editor starts one for the
// file named on its command line, so that reading a large sheet overlaps the
// start of the window system instead of following it.
#include <optional>
#include <string>
#include <thread>

#include "fw/FileError.h"
#include "model/SheetFile.h"

class CSheetPreload {
public:
    explicit CSheetPreload(std::string path);
    ~CSheetPreload(); // waits for the read
    CSheetPreload(const CSheetPreload&) = delete;
    CSheetPreload& operator=(const CSheetPreload&) = delete;

    const std::string& Path() const { return m_strPath; }
    // Waits for the read and gives sheet what reading the file there and
    // then would have given it: the same sheet, or the same error and an
    // empty sheet. Once only.
    std::optional<FileError> TakeInto(CSheetFile& sheet);

private:
    void Wait();

    const std::string m_strPath;
    CSheetFile m_Sheet{CSheetFile::kCopyTarget}; // no settings read off the main thread
    std::optional<FileError> m_error;
    std::thread m_reader;
};

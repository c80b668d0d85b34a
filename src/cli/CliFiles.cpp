#include "cli/CliFiles.h"

#include <cstdio>
#include <sys/stat.h>

bool CheckRegularInput(const std::string& path) {
    struct stat st {};
    // stat does not open, so a pipe without a writer does not block here.
    // A folder keeps the reader's own message.
    if (::stat(path.c_str(), &st) != 0 || S_ISREG(st.st_mode) || S_ISDIR(st.st_mode))
        return true;
    std::fprintf(stderr, "tavreler-cli: %s: not a regular file\n", path.c_str());
    return false;
}

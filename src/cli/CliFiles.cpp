#include "cli/CliFiles.h"

#include <cstdio>

#include "fw/Os.h"

bool CheckRegularInput(const std::string& path) {
    // Looked at without opening, so a pipe without a writer does not block
    // here. A folder keeps the reader's own message.
    const std::optional<COsFileInfo> info = OsFileInfo(path, true);
    if (!info || info->m_bRegular || info->m_bFolder)
        return true;
    std::fprintf(stderr, "tavreler-cli: %s: not a regular file\n", path.c_str());
    return false;
}

#include "fw/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <vector>

#include "fw/Os.h"

namespace {

// The folder part (with its slash, "" for the current folder) and the name.
void SplitPath(const std::string& path, std::string& dir, std::string& base) {
    const std::string::size_type slash = path.rfind('/');
    dir = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    base = slash == std::string::npos ? path : path.substr(slash + 1);
}

// The part of a target's name its temporary names copy: "." + part + "." +
// six letters must fit the system's limit on a name, so a long name keeps
// its first bytes and a hash of the whole (the temporary names of two long
// names that begin alike still differ).
constexpr std::size_t kTempExtra = 8; // the dot before, the dot and six letters after
constexpr std::size_t kHashDigits = 8;

std::string TempStem(const std::string& base) {
    if (base.size() + kTempExtra <= NAME_MAX)
        return base;
    std::uint32_t hash = 2166136261u; // FNV-1a
    for (unsigned char c : base)
        hash = (hash ^ c) * 16777619u;
    static const char digits[] = "0123456789abcdef";
    std::string stem = base.substr(0, NAME_MAX - kTempExtra - kHashDigits - 1) + "~";
    for (int shift = 28; shift >= 0; shift -= 4)
        stem += digits[(hash >> shift) & 15];
    return stem;
}

bool IsNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// Removes the temporary files of base in dir that no living write holds:
// each write keeps a lock on its own until it ends, and a killed process
// loses its locks.
void RemoveLeftovers(const std::string& dir, const std::string& base, const std::string& keep) {
    for (const std::string& name : OsListFolder(dir)) {
        const std::string path = dir + name;
        if (IsTemporaryNameOf(name, base) && path != keep)
            OsRemoveIfUnlocked(path);
    }
}

} // namespace

bool IsTemporaryNameOf(const std::string& name, const std::string& base) {
    const std::string stem = TempStem(base);
    if (name.size() != stem.size() + kTempExtra || name[0] != '.' ||
        name.compare(1, stem.size(), stem) != 0 || name[stem.size() + 1] != '.')
        return false;
    for (std::size_t i = stem.size() + 2; i < name.size(); ++i)
        if (!IsNameChar(name[i]))
            return false;
    return true;
}

std::optional<std::string> ResolveWriteTarget(const std::string& path, int& err) {
    std::string p = path;
    // The same bound as the system's own for links within one path.
    for (int hops = 0; hops < 40; ++hops) {
        const std::optional<COsFileInfo> info = OsFileInfo(p, false);
        if (!info || !info->m_bLink)
            return p;
        std::optional<std::string> link = OsReadLink(p, err);
        if (!link)
            return std::nullopt;
        if (link->empty()) {
            err = ENOENT;
            return std::nullopt;
        }
        if (link->front() != '/') {
            // A relative link is taken from the folder the link is in.
            std::string dir, base;
            SplitPath(p, dir, base);
            *link = dir + *link;
        }
        p = std::move(*link);
    }
    err = ELOOP;
    return std::nullopt;
}

CAtomicFile::~CAtomicFile() {
    Discard();
}

std::optional<CAtomicWriteError> CAtomicFile::Create(const std::string& path) {
    Discard();
    int err = 0;
    const std::optional<std::string> target = ResolveWriteTarget(path, err);
    if (!target)
        return CAtomicWriteError{CAtomicWriteError::Create, err};
    std::string dir, base;
    SplitPath(*target, dir, base);
    if (base.empty())
        return CAtomicWriteError{CAtomicWriteError::Create, EINVAL};

    const std::optional<COsFileInfo> st = OsFileInfo(*target, true);
    m_bExists = st.has_value();
    if (m_bExists && st->m_bFolder)
        return CAtomicWriteError{CAtomicWriteError::Create, EISDIR};
    // A file that may not be written is not replaced behind its back.
    if (m_bExists)
        if (const int denied = OsCanWrite(*target))
            return CAtomicWriteError{CAtomicWriteError::Create, denied};
    if (m_bExists && !st->m_bRegular) {
        const int fd = OsOpenForWrite(*target, err);
        if (fd < 0)
            return CAtomicWriteError{CAtomicWriteError::Create, err};
        m_fd = fd;
        m_bInPlace = true;
        m_strTarget = *target;
        return std::nullopt;
    }
    if (m_bExists) {
        m_nMode = st->m_nMode;
        m_nUid = st->m_nUid;
        m_nGid = st->m_nGid;
    } else {
        m_nMode = OsNewFileMode();
    }

    std::string tmp = dir + "." + TempStem(base) + ".XXXXXX";
    const int fd = OsMakeTemporaryFile(tmp, err);
    if (fd < 0)
        return CAtomicWriteError{CAtomicWriteError::Create, err};
    // Held until the write ends: the mark that this temporary file is alive.
    OsLockFile(fd, true);
    m_fd = fd;
    m_strTemp = tmp;
    m_strTarget = *target;
    return std::nullopt;
}

std::optional<CAtomicWriteError> CAtomicFile::Write(const void* data, std::size_t size) {
    if (m_fd < 0)
        return CAtomicWriteError{CAtomicWriteError::Write, EBADF};
    if (const int err = OsWriteAll(m_fd, data, size))
        return CAtomicWriteError{CAtomicWriteError::Write, err};
    return std::nullopt;
}

std::optional<CAtomicWriteError> CAtomicFile::Commit() {
    if (m_fd < 0)
        return CAtomicWriteError{CAtomicWriteError::Commit, EBADF};
    auto fail = [this](int err) {
        Discard();
        return CAtomicWriteError{CAtomicWriteError::Commit, err};
    };
    if (m_bInPlace) {
        const int fd = m_fd;
        m_fd = -1;
        m_bInPlace = false;
        if (const int err = OsClose(fd))
            return CAtomicWriteError{CAtomicWriteError::Commit, err};
        return std::nullopt;
    }
    if (const int err = OsSync(m_fd))
        return fail(err);
    // The replaced file keeps its permissions and, where allowed, its owner.
    OsSetModeAndOwner(m_fd, m_nMode,
                      m_bExists ? std::optional(std::pair(m_nUid, m_nGid)) : std::nullopt);
    if (const int err = OsRename(m_strTemp, m_strTarget))
        return fail(err);
    OsClose(m_fd);
    m_fd = -1;
    std::string dir, base;
    SplitPath(m_strTarget, dir, base);
    // The new name must reach the disk too, or a crash could bring back the old file.
    OsSyncFolder(dir);
    RemoveLeftovers(dir, base, m_strTemp);
    m_strTemp.clear();
    return std::nullopt;
}

void CAtomicFile::Discard() {
    if (m_fd < 0)
        return;
    if (m_bInPlace) {
        OsClose(m_fd);
        m_fd = -1;
        m_bInPlace = false;
        return;
    }
    // Unlinked while still locked, so no clean-up elsewhere takes it for a leftover.
    OsRemoveFile(m_strTemp);
    OsClose(m_fd);
    m_fd = -1;
    m_strTemp.clear();
}

std::optional<FileError> WriteFileAtomically(const std::string& path, std::string_view bytes) {
    CAtomicFile file;
    std::optional<CAtomicWriteError> err = file.Create(path);
    if (!err)
        err = file.Write(bytes.data(), bytes.size());
    if (!err)
        err = file.Commit();
    if (!err)
        return std::nullopt;
    // A folder in the target's place is "in use", as it always was reported.
    if (err->m_stage == CAtomicWriteError::Create && err->m_nErrno == EISDIR)
        return FileError(FileError::AccessDeniedWrite, EISDIR);
    return FileErrorFromErrno(err->m_nErrno, true);
}

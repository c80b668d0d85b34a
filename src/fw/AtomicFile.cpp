#include "fw/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d)
        return;
    std::vector<std::string> names;
    while (const dirent* e = ::readdir(d))
        if (IsTemporaryNameOf(e->d_name, base))
            names.emplace_back(e->d_name);
    ::closedir(d);
    for (const std::string& name : names) {
        const std::string path = dir + name;
        if (path == keep)
            continue;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            continue;
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.c_str());
        ::close(fd);
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
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return p;
        std::vector<char> buf(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t n = ::readlink(p.c_str(), buf.data(), buf.size());
        if (n < 0) {
            err = errno;
            return std::nullopt;
        }
        std::string to(buf.data(), static_cast<std::size_t>(n));
        if (to.empty()) {
            err = ENOENT;
            return std::nullopt;
        }
        if (to[0] != '/') {
            // A relative link is taken from the folder the link is in.
            std::string dir, base;
            SplitPath(p, dir, base);
            to = dir + to;
        }
        p = std::move(to);
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

    struct stat st {};
    m_bExists = ::stat(target->c_str(), &st) == 0;
    if (m_bExists && S_ISDIR(st.st_mode))
        return CAtomicWriteError{CAtomicWriteError::Create, EISDIR};
    // A file that may not be written is not replaced behind its back.
    if (m_bExists && ::access(target->c_str(), W_OK) != 0)
        return CAtomicWriteError{CAtomicWriteError::Create, errno};
    if (m_bExists && !S_ISREG(st.st_mode)) {
        const int fd = ::open(target->c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0)
            return CAtomicWriteError{CAtomicWriteError::Create, errno};
        m_fd = fd;
        m_bInPlace = true;
        m_strTarget = *target;
        return std::nullopt;
    }
    if (m_bExists) {
        m_nMode = st.st_mode & 07777;
        m_nUid = st.st_uid;
        m_nGid = st.st_gid;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        m_nMode = 0666 & ~mask;
    }

    std::string tmp = dir + "." + TempStem(base) + ".XXXXXX";
    const int fd = ::mkostemp(tmp.data(), O_CLOEXEC);
    if (fd < 0)
        return CAtomicWriteError{CAtomicWriteError::Create, errno};
    // Held until the write ends: the mark that this temporary file is alive.
    ::flock(fd, LOCK_EX);
    m_fd = fd;
    m_strTemp = tmp;
    m_strTarget = *target;
    return std::nullopt;
}

std::optional<CAtomicWriteError> CAtomicFile::Write(const void* data, std::size_t size) {
    if (m_fd < 0)
        return CAtomicWriteError{CAtomicWriteError::Write, EBADF};
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(m_fd, p, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return CAtomicWriteError{CAtomicWriteError::Write, errno};
        }
        p += n;
        size -= static_cast<std::size_t>(n);
    }
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
        if (::close(fd) != 0)
            return CAtomicWriteError{CAtomicWriteError::Commit, errno};
        return std::nullopt;
    }
    if (::fsync(m_fd) != 0)
        return fail(errno);
    // The replaced file keeps its permissions and, where allowed, its owner.
    ::fchmod(m_fd, static_cast<mode_t>(m_nMode));
    if (m_bExists && (m_nUid != ::geteuid() || m_nGid != ::getegid()))
        if (::fchown(m_fd, m_nUid, m_nGid) == 0)
            ::fchmod(m_fd, static_cast<mode_t>(m_nMode)); // chown clears set-id bits
    if (::rename(m_strTemp.c_str(), m_strTarget.c_str()) != 0)
        return fail(errno);
    ::close(m_fd);
    m_fd = -1;
    std::string dir, base;
    SplitPath(m_strTarget, dir, base);
    // The new name must reach the disk too, or a crash could bring back the old file.
    const int dfd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    RemoveLeftovers(dir, base, m_strTemp);
    m_strTemp.clear();
    return std::nullopt;
}

void CAtomicFile::Discard() {
    if (m_fd < 0)
        return;
    if (m_bInPlace) {
        ::close(m_fd);
        m_fd = -1;
        m_bInPlace = false;
        return;
    }
    // Unlinked while still locked, so no clean-up elsewhere takes it for a leftover.
    ::unlink(m_strTemp.c_str());
    ::close(m_fd);
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
        return FileError::AccessDeniedWrite;
    return FileErrorFromErrno(err->m_nErrno, true);
}

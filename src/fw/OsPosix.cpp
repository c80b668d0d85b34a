#include "fw/Os.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <system_error>

std::string OsErrorText(int err) {
    char buf[256];
    // The GNU form returns the text, which need not be in buf.
    const char* text = ::strerror_r(err, buf, sizeof buf);
    return text ? text : "";
}

std::optional<COsFileInfo> OsFileInfo(const std::string& path, bool followLinks, int* err) {
    struct stat st {};
    if ((followLinks ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st)) != 0) {
        if (err)
            *err = errno;
        return std::nullopt;
    }
    COsFileInfo info;
    info.m_bFolder = S_ISDIR(st.st_mode);
    info.m_bRegular = S_ISREG(st.st_mode);
    info.m_bLink = S_ISLNK(st.st_mode);
    info.m_nMode = st.st_mode & 07777;
    info.m_nUid = st.st_uid;
    info.m_nGid = st.st_gid;
    info.m_nSize = st.st_size;
    return info;
}

std::optional<std::string> OsReadLink(const std::string& path, int& err) {
    struct stat st {};
    const std::size_t size = ::lstat(path.c_str(), &st) == 0 && st.st_size > 0
                                 ? static_cast<std::size_t>(st.st_size)
                                 : 255;
    std::vector<char> buf(size + 1);
    const ssize_t n = ::readlink(path.c_str(), buf.data(), buf.size());
    if (n < 0) {
        err = errno;
        return std::nullopt;
    }
    return std::string(buf.data(), static_cast<std::size_t>(n));
}

int OsCanWrite(const std::string& path) {
    return ::access(path.c_str(), W_OK) == 0 ? 0 : errno;
}

unsigned OsNewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

std::vector<std::string> OsListFolder(const std::string& folder) {
    std::vector<std::string> names;
    DIR* d = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!d)
        return names;
    while (const dirent* e = ::readdir(d))
        names.emplace_back(e->d_name);
    ::closedir(d);
    return names;
}

int OsCreateFolders(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const bool made = fs::create_directories(path, ec);
    if (ec)
        return ec.value();
    // The recovery copies hold the user's work: a folder made for them is the user's alone.
    if (made)
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::replace, ec);
    if (!fs::is_directory(path, ec))
        return ec ? ec.value() : ENOTDIR;
    return 0;
}

void OsRemoveFile(const std::string& path) {
    ::unlink(path.c_str());
}

void OsRemoveIfUnlocked(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
        ::unlink(path.c_str());
    ::close(fd);
}

std::optional<std::string> OsReadSmallFile(const std::string& path, std::size_t maxSize) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    std::string text;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 || text.size() + static_cast<std::size_t>(n) > maxSize) {
            ::close(fd);
            if (n == 0)
                return text;
            return std::nullopt;
        }
        text.append(buf, static_cast<std::size_t>(n));
    }
}

OsFd OsOpenForRead(const std::string& path, int& err) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        err = errno;
    return fd;
}

std::optional<COsFileInfo> OsFileInfo(OsFd fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return std::nullopt;
    COsFileInfo info;
    info.m_bFolder = S_ISDIR(st.st_mode);
    info.m_bRegular = S_ISREG(st.st_mode);
    info.m_nMode = st.st_mode & 07777;
    info.m_nUid = st.st_uid;
    info.m_nGid = st.st_gid;
    info.m_nSize = st.st_size;
    return info;
}

std::int64_t OsRead(OsFd fd, void* data, std::size_t size, int& err) {
    for (;;) {
        const ssize_t got = ::read(fd, data, size);
        if (got >= 0)
            return got;
        if (errno != EINTR) {
            err = errno;
            return -1;
        }
    }
}

OsFd OsOpenForWrite(const std::string& path, int& err) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        err = errno;
    return fd;
}

OsFd OsMakeTemporaryFile(std::string& pattern, int& err) {
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        err = errno;
    return fd;
}

bool OsLockFile(OsFd fd, bool wait, int* err) {
    if (::flock(fd, wait ? LOCK_EX : LOCK_EX | LOCK_NB) == 0)
        return true;
    if (err)
        *err = errno;
    return false;
}

OsFd OsOpenLockFile(const std::string& path, bool& locked) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return -1;
    const bool ok = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    if (!ok && (errno == EWOULDBLOCK || errno == EINTR)) {
        ::close(fd);
        return -1;
    }
    // Otherwise a file system without locks: the caller asks the recorded owner.
    locked = ok;
    // The file may have been removed (and made anew) while this lock was
    // taken: a lock on a file no longer in the folder protects nothing.
    struct stat held {
    }, now{};
    if (::fstat(fd, &held) != 0 || ::stat(path.c_str(), &now) != 0 || held.st_dev != now.st_dev ||
        held.st_ino != now.st_ino) {
        ::close(fd);
        return -1;
    }
    return fd;
}

int OsWriteAll(OsFd fd, const void* data, std::size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return 0;
}

int OsSync(OsFd fd) {
    return ::fsync(fd) == 0 ? 0 : errno;
}

int OsClose(OsFd fd) {
    return ::close(fd) == 0 ? 0 : errno;
}

void OsSetModeAndOwner(OsFd fd, unsigned mode, std::optional<std::pair<unsigned, unsigned>> owner) {
    ::fchmod(fd, static_cast<mode_t>(mode));
    if (owner && (owner->first != ::geteuid() || owner->second != ::getegid()))
        if (::fchown(fd, owner->first, owner->second) == 0)
            ::fchmod(fd, static_cast<mode_t>(mode)); // chown clears set-id bits
}

int OsRename(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

void OsSyncFolder(const std::string& folder) {
    const int dfd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

void OsStartWriteBack(OsFd fd, std::int64_t offset, std::int64_t size) {
    ::sync_file_range(fd, static_cast<off_t>(offset), static_cast<off_t>(size),
                      SYNC_FILE_RANGE_WRITE);
}

std::FILE* OsWriteStream(OsFd fd) {
    const int copy = ::dup(fd);
    if (copy < 0)
        return nullptr;
    std::FILE* fp = ::fdopen(copy, "wb");
    if (!fp)
        ::close(copy);
    return fp;
}

void* OsAllocateLarge(std::size_t size, std::size_t alignment) {
    void* p = nullptr;
    if (::posix_memalign(&p, alignment, size) != 0)
        return nullptr;
#ifdef MADV_HUGEPAGE
    ::madvise(p, size, MADV_HUGEPAGE); // only a hint: small pages do as well
#endif
    return p;
}

std::uint64_t OsPhysicalMemory() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return 0;
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
}

namespace {
std::uint64_t Limit(int resource) {
    rlimit rl{};
    if (::getrlimit(resource, &rl) != 0 || rl.rlim_cur == RLIM_INFINITY)
        return UINT64_MAX;
    return static_cast<std::uint64_t>(rl.rlim_cur);
}
} // namespace

std::uint64_t OsMemoryLimit() {
    return std::min(Limit(RLIMIT_AS), Limit(RLIMIT_DATA));
}

long OsProcessId() {
    return static_cast<long>(::getpid());
}

bool OsProcessAlive(long pid) {
    if (pid <= 0)
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

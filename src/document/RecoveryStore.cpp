#include "document/RecoveryStore.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>

#include "fw/AtomicFile.h"
#include "fw/Os.h"

namespace {

constexpr std::string_view kHeader = "Tavreler recovery copy";
// Far more than a path and two numbers need; a bigger side file is not ours.
constexpr std::size_t kMaxInfoSize = 64 * 1024;

bool EndsWith(const std::string& s, std::string_view suffix) {
    return s.size() > suffix.size() &&
           s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool Exists(const std::string& path) {
    return OsFileInfo(path, false).has_value();
}

template <class T> bool ParseNumber(std::string_view s, T& value) {
    if (s.empty())
        return false;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return ec == std::errc() && end == s.data() + s.size();
}

std::string Escape(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::optional<std::string> Unescape(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\') {
            out += s[i];
            continue;
        }
        if (++i == s.size())
            return std::nullopt;
        switch (s[i]) {
        case '\\':
            out += '\\';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        default:
            return std::nullopt;
        }
    }
    return out;
}

// Unique among runs: the process and the moment it first needed a copy.
std::string NewId() {
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                        std::chrono::system_clock::now().time_since_epoch())
                        .count();
    char buf[64];
    std::snprintf(buf, sizeof buf, "%lld-%ld", static_cast<long long>(ns), OsProcessId());
    return buf;
}

} // namespace

CRecoveryStore::CRecoveryStore(std::string folder) : m_strFolder(std::move(folder)) {
    while (m_strFolder.size() > 1 && m_strFolder.back() == '/')
        m_strFolder.pop_back();
}

CRecoveryStore::~CRecoveryStore() {
    for (const auto& [id, fd] : m_claimed)
        Unlock(id, fd, false);
    if (m_nLockFd >= 0)
        Unlock(m_strId, m_nLockFd, !m_bHasCopy);
}

std::string CRecoveryStore::FormatInfo(const CRecoveryEntry& entry) {
    return std::string(kHeader) + "\nfile=" + Escape(entry.m_strOriginal) +
           "\ntime=" + std::to_string(entry.m_nTime) + "\npid=" + std::to_string(entry.m_nPid) +
           "\n";
}

std::optional<CRecoveryEntry> CRecoveryStore::ParseInfo(std::string_view text) {
    std::size_t pos = text.find('\n');
    if (pos == std::string_view::npos || text.substr(0, pos) != kHeader)
        return std::nullopt;
    CRecoveryEntry e;
    bool file = false, time = false, pid = false;
    while (++pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(pos, end - pos);
        pos = end;
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            continue;
        const std::string_view key = line.substr(0, eq), value = line.substr(eq + 1);
        if (key == "file") {
            auto path = Unescape(value);
            if (!path)
                return std::nullopt;
            e.m_strOriginal = std::move(*path);
            file = true;
        } else if (key == "time") {
            time = ParseNumber(value, e.m_nTime);
            if (!time)
                return std::nullopt;
        } else if (key == "pid") {
            pid = ParseNumber(value, e.m_nPid) && e.m_nPid > 0;
            if (!pid)
                return std::nullopt;
        }
    }
    if (!file || !time || !pid)
        return std::nullopt;
    return e;
}

int CRecoveryStore::EnsureFolder() {
    return OsCreateFolders(m_strFolder);
}

int CRecoveryStore::LockId(const std::string& id, bool* locked) {
    bool honoured = false;
    const int fd = OsOpenLockFile(LockPath(id), honoured);
    if (fd >= 0 && locked)
        *locked = honoured;
    return fd;
}

void CRecoveryStore::Unlock(const std::string& id, int fd, bool removeLockFile) {
    // Removed while still locked, so that whoever opened it meanwhile sees
    // a lock on a file that is gone.
    if (removeLockFile)
        OsRemoveFile(LockPath(id));
    OsClose(fd);
}

std::optional<FileError> CRecoveryStore::Write(std::string_view sheetBytes,
                                               const std::string& original, std::int64_t time) {
    if (const int err = EnsureFolder())
        return FileError(FileError::BadFileName, err);
    if (m_strId.empty()) {
        const std::string id = NewId();
        const int fd = LockId(id);
        if (fd < 0)
            return FileError::AccessDeniedWrite;
        m_strId = id;
        m_nLockFd = fd;
    }
    CRecoveryEntry entry;
    entry.m_strId = m_strId;
    entry.m_strOriginal = original;
    entry.m_nTime = time;
    entry.m_nPid = OsProcessId();
    const std::string info = FormatInfo(entry);
    // A sheet copy is never without its side file: the first time the side
    // file comes first (a side file alone is cleared away later), afterwards
    // the sheet comes first and the side file follows with the new time.
    const bool first = !m_bHasCopy;
    if (first)
        if (auto err = WriteFileAtomically(InfoPath(m_strId), info))
            return err;
    if (auto err = WriteFileAtomically(SheetPath(m_strId), sheetBytes)) {
        if (first)
            OsRemoveFile(InfoPath(m_strId));
        return err;
    }
    m_bHasCopy = true;
    if (!first)
        if (auto err = WriteFileAtomically(InfoPath(m_strId), info))
            return err; // the copy is there, with the time of the one before
    return std::nullopt;
}

void CRecoveryStore::Remove() {
    if (m_strId.empty())
        return;
    // The sheet first: a side file left alone is cleared away later.
    OsRemoveFile(SheetPath(m_strId));
    OsRemoveFile(InfoPath(m_strId));
    m_bHasCopy = false;
}

std::vector<CRecoveryEntry> CRecoveryStore::ClaimLeftCopies() {
    std::vector<CRecoveryEntry> found;
    std::vector<std::string> ids, lockOnly;
    for (const std::string& name : OsListFolder(m_strFolder)) {
        if (EndsWith(name, ".info"))
            ids.push_back(name.substr(0, name.size() - 5));
        else if (EndsWith(name, ".lock"))
            lockOnly.push_back(name.substr(0, name.size() - 5));
    }
    for (const std::string& id : ids) {
        if (id == m_strId || m_claimed.count(id))
            continue;
        bool locked = false;
        const int fd = LockId(id, &locked);
        if (fd < 0)
            continue; // its editor is running
        const auto text = OsReadSmallFile(InfoPath(id), kMaxInfoSize);
        std::optional<CRecoveryEntry> entry = text ? ParseInfo(*text) : std::nullopt;
        if (!entry) {
            // Not a side file of ours, or gone meanwhile: left alone.
            Unlock(id, fd, false);
            continue;
        }
        if (!Exists(SheetPath(id))) {
            // A side file whose copy never came, or whose removal was cut short.
            OsRemoveFile(InfoPath(id));
            Unlock(id, fd, true);
            continue;
        }
        // Where locks do not work, the recorded owner must be gone.
        if (!locked && OsProcessAlive(entry->m_nPid)) {
            Unlock(id, fd, false);
            continue;
        }
        entry->m_strId = id;
        m_claimed[id] = fd;
        found.push_back(std::move(*entry));
    }
    // Lock files of copies that are gone.
    for (const std::string& id : lockOnly) {
        if (id == m_strId || m_claimed.count(id) ||
            std::find(ids.begin(), ids.end(), id) != ids.end() || Exists(SheetPath(id)))
            continue;
        const int fd = LockId(id);
        if (fd >= 0)
            Unlock(id, fd, true);
    }
    std::stable_sort(
        found.begin(), found.end(),
        [](const CRecoveryEntry& a, const CRecoveryEntry& b) { return a.m_nTime > b.m_nTime; });
    return found;
}

void CRecoveryStore::Adopt(const CRecoveryEntry& entry) {
    auto it = m_claimed.find(entry.m_strId);
    if (it == m_claimed.end())
        return;
    const int fd = it->second;
    m_claimed.erase(it);
    if (m_nLockFd >= 0) {
        Remove();
        Unlock(m_strId, m_nLockFd, true);
    }
    m_strId = entry.m_strId;
    m_nLockFd = fd;
    m_bHasCopy = true;
    CRecoveryEntry mine = entry;
    mine.m_nPid = OsProcessId();
    // Should this fail, the lock alone still keeps other editors away.
    WriteFileAtomically(InfoPath(m_strId), FormatInfo(mine));
}

void CRecoveryStore::Discard(const CRecoveryEntry& entry) {
    auto it = m_claimed.find(entry.m_strId);
    if (it == m_claimed.end())
        return;
    OsRemoveFile(SheetPath(entry.m_strId));
    OsRemoveFile(InfoPath(entry.m_strId));
    Unlock(entry.m_strId, it->second, true);
    m_claimed.erase(it);
}

void CRecoveryStore::Release(const CRecoveryEntry& entry) {
    auto it = m_claimed.find(entry.m_strId);
    if (it == m_claimed.end())
        return;
    Unlock(entry.m_strId, it->second, false);
    m_claimed.erase(it);
}

#pragma once
// The folder of recovery copies: the sheets of runs that had unsaved
// changes, kept so that a crash, a kill or a power cut loses at most the
// last moments of work.
//
// Each copy is three files named by one id: ID.tvr, the sheet as a plain
// sheet file; ID.info, a small text beside it naming the sheet's own file
// (none for a sheet never saved), the time of the copy and the process
// that owns it; and ID.lock, which the owner keeps locked for as long as it
// runs. A killed process loses its locks, so a copy whose lock can be taken
// was left behind; one whose lock is held belongs to an editor still
// running and is never touched. The sheet and the side file go through the
// program's one atomic write; the side file is written last, so a copy
// without one is not offered. The lock files are opened close-on-exec, so
// programs started from the editor (a browser, a help viewer) never keep
// a lock alive.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fw/FileError.h"

// What the side file of one copy says.
struct CRecoveryEntry {
    std::string m_strId;
    std::string m_strOriginal; // the sheet's own file; empty for a sheet never saved
    std::int64_t m_nTime = 0;  // when the copy was written, seconds since 1970 (UTC)
    long m_nPid = 0;           // the process that wrote it
};

class CRecoveryStore {
public:
    // folder is created (private to the user) at the first write.
    explicit CRecoveryStore(std::string folder);
    CRecoveryStore(const CRecoveryStore&) = delete;
    CRecoveryStore& operator=(const CRecoveryStore&) = delete;
    // Lets the locks go. A copy of this run that still exists stays for the
    // next start; without one, the lock file goes too.
    ~CRecoveryStore();

    const std::string& Folder() const { return m_strFolder; }

    // This run's copy: the sheet file's bytes, the sheet's own file and the
    // time to record. Replaces the previous copy of this run.
    std::optional<FileError> Write(std::string_view sheetBytes, const std::string& original,
                                   std::int64_t time);
    // Removes this run's copy (after a save, or when the changes were given up).
    void Remove();
    bool HasCopy() const { return m_bHasCopy; }
    // The id of this run's copy; empty before the first write or adoption.
    const std::string& Id() const { return m_strId; }

    // The copies left by runs that are no longer running, newest first. Each
    // is locked for this run until Adopt, Discard or Release.
    std::vector<CRecoveryEntry> ClaimLeftCopies();
    // The claimed copy becomes this run's copy (its sheet was restored);
    // its side file names this process from now on.
    void Adopt(const CRecoveryEntry& entry);
    // Deletes a claimed copy.
    void Discard(const CRecoveryEntry& entry);
    // Lets a claimed copy go, unchanged, for a later start.
    void Release(const CRecoveryEntry& entry);

    std::string SheetPath(const std::string& id) const { return m_strFolder + "/" + id + ".tvr"; }
    std::string InfoPath(const std::string& id) const { return m_strFolder + "/" + id + ".info"; }
    std::string LockPath(const std::string& id) const { return m_strFolder + "/" + id + ".lock"; }

    // The side file's text, and the entry it describes (nullopt when it is
    // no side file; the id is not part of the text).
    static std::string FormatInfo(const CRecoveryEntry& entry);
    static std::optional<CRecoveryEntry> ParseInfo(std::string_view text);

private:
    int EnsureFolder(); // 0, or why the folder cannot be made
    // Opens and locks ID.lock without waiting; -1 when another process
    // holds it (or it vanished while being locked). locked is false when
    // the file system has no locks.
    int LockId(const std::string& id, bool* locked = nullptr);
    void Unlock(const std::string& id, int fd, bool removeLockFile);

    std::string m_strFolder;
    std::string m_strId;
    int m_nLockFd = -1;
    bool m_bHasCopy = false;
    std::map<std::string, int> m_claimed; // id -> lock of copies claimed at start-up
};

#pragma once
// Every call into the operating system that the core makes, in one place:
// a port to another system replaces OsPosix.cpp. Failures give the system's
// error number (errno values), so that a message can say why.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

// The system's own words for an error number.
std::string OsErrorText(int err);

// What a path names; links followed unless asked not to.
struct COsFileInfo {
    bool m_bFolder = false;
    bool m_bRegular = false;
    bool m_bLink = false;
    unsigned m_nMode = 0; // permission bits
    unsigned m_nUid = 0, m_nGid = 0;
    std::int64_t m_nSize = 0;
};
std::optional<COsFileInfo> OsFileInfo(const std::string& path, bool followLinks,
                                      int* err = nullptr);
// The text of a symbolic link.
std::optional<std::string> OsReadLink(const std::string& path, int& err);
// 0 when the file may be written, else the reason.
int OsCanWrite(const std::string& path);
// The permission bits a new file gets (0666 less the creation mask).
unsigned OsNewFileMode();

// The names in a folder ("." and ".." too); empty when it cannot be read.
std::vector<std::string> OsListFolder(const std::string& folder);
// Makes the folder and those above it; the last one only its owner's.
int OsCreateFolders(const std::string& path);
void OsRemoveFile(const std::string& path);
// Removes a regular file that nobody holds locked (see OsLockFile).
void OsRemoveIfUnlocked(const std::string& path);
std::optional<std::string> OsReadSmallFile(const std::string& path, std::size_t maxSize);

// An open file; -1 is none.
using OsFd = int;
// Opened without waiting: a pipe without a writer would block for ever.
OsFd OsOpenForRead(const std::string& path, int& err);
std::optional<COsFileInfo> OsFileInfo(OsFd fd);
// The bytes read (0 at the end), or -1 and the reason.
std::int64_t OsRead(OsFd fd, void* data, std::size_t size, int& err);
OsFd OsOpenForWrite(const std::string& path, int& err);
// Makes a new file from a name ending in six X, which it replaces.
OsFd OsMakeTemporaryFile(std::string& pattern, int& err);
// Takes the process's exclusive lock on the file; false if someone else holds it.
bool OsLockFile(OsFd fd, bool wait, int* err = nullptr);
// Opens (making it if need be) and locks a lock file. 'locked' says whether
// the system honoured the lock; -1 when another holds it or it went away.
OsFd OsOpenLockFile(const std::string& path, bool& locked);
int OsWriteAll(OsFd fd, const void* data, std::size_t size); // 0 or the reason
int OsSync(OsFd fd);
int OsClose(OsFd fd);
// Gives a file the mode and, where allowed, the owner of the file it replaces.
void OsSetModeAndOwner(OsFd fd, unsigned mode, std::optional<std::pair<unsigned, unsigned>> owner);
int OsRename(const std::string& from, const std::string& to);
// Brings a folder's entries (a rename) to the disk.
void OsSyncFolder(const std::string& folder);
// Asks the system to start writing a range of the file back to the disk.
void OsStartWriteBack(OsFd fd, std::int64_t offset, std::int64_t size);

// A stream that writes to a copy of fd (closing it leaves fd open); nullptr on failure.
std::FILE* OsWriteStream(OsFd fd);

// Memory for a large block, aligned so the system may back it with large pages.
void* OsAllocateLarge(std::size_t size, std::size_t alignment);
std::uint64_t OsPhysicalMemory(); // 0 when unknown
std::uint64_t OsMemoryLimit();    // the process's own limit; UINT64_MAX when none

long OsProcessId();
// Alive, or at least not known to be gone.
bool OsProcessAlive(long pid);

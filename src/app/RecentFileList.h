#pragma once
// The recent-file list: up to nine paths, most recent first, kept in the
// profile as "Recent File List" / "File1" to "File9" and written whenever it
// changes, so a crash loses nothing of it.
#include <vector>

#include <QString>

class CProfile;

class CRecentFileList {
public:
    explicit CRecentFileList(CProfile& profile, int nSize = 9);

    void ReadList();
    void WriteList();
    // Puts path first, dropping an earlier entry of the same file and the oldest beyond the size.
    void Add(const QString& path);
    void Remove(int nIndex);

    int GetSize() const { return static_cast<int>(m_files.size()); }
    int GetMaxSize() const { return m_nSize; }
    const QString& operator[](int nIndex) const { return m_files[nIndex]; }
    // The menu text of entry nIndex: "&1 path".
    QString MenuText(int nIndex) const;

private:
    CProfile& m_profile;
    int m_nSize;
    std::vector<QString> m_files;
};

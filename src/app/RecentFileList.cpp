#include "app/RecentFileList.h"

#include <QDir>
#include <QFileInfo>

#include "fw/Profile.h"
#include "model/Settings.h"

namespace {

std::string EntryName(int n) {
    return "File" + std::to_string(n + 1);
}

} // namespace

CRecentFileList::CRecentFileList(CProfile& profile, int nSize)
    : m_profile(profile), m_nSize(nSize) {}

void CRecentFileList::ReadList() {
    m_files.clear();
    for (int i = 0; i < m_nSize; ++i) {
        const std::string path =
            m_profile.GetProfileString(settings::RecentFileSection, EntryName(i), "");
        if (!path.empty())
            m_files.push_back(QString::fromStdString(path));
    }
}

void CRecentFileList::WriteList() {
    for (int i = 0; i < m_nSize; ++i)
        m_profile.WriteProfileString(settings::RecentFileSection, EntryName(i),
                                     i < GetSize() ? m_files[i].toStdString() : std::string());
}

void CRecentFileList::Add(const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    std::erase_if(m_files, [&](const QString& f) { return f == full; });
    m_files.insert(m_files.begin(), full);
    if (GetSize() > m_nSize)
        m_files.resize(m_nSize);
    WriteList();
}

void CRecentFileList::Remove(int nIndex) {
    if (nIndex < 0 || nIndex >= GetSize())
        return;
    m_files.erase(m_files.begin() + nIndex);
    WriteList();
}

QString CRecentFileList::MenuText(int nIndex) const {
    QString shown = QDir::toNativeSeparators(m_files[nIndex]);
    // Ampersands in a path are not mnemonics.
    shown.replace(QStringLiteral("&"), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(nIndex + 1).arg(shown);
}

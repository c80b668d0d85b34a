#pragma once
// The per-user settings store over QSettings: one group per section, the
// value names as keys inside it. Integers are stored as integers and strings
// as strings; a missing value, or one that cannot be read as the asked type,
// gives the caller's default. Every write is flushed at once, so a crash
// later loses nothing.
#include <QSettings>
#include <QString>

#include "fw/Profile.h"

class CQtProfile : public CProfile {
public:
    // The user's own store: organisation "Ostrel", application "Tavreler".
    CQtProfile();
    // An INI file of the caller's choosing (tests keep it in a temporary folder).
    explicit CQtProfile(const QString& iniFile);

    int GetProfileInt(const std::string& section, const std::string& entry, int nDefault) override;
    std::string GetProfileString(const std::string& section, const std::string& entry,
                                 const std::string& strDefault) override;
    bool WriteProfileInt(const std::string& section, const std::string& entry, int nValue) override;
    bool WriteProfileString(const std::string& section, const std::string& entry,
                            const std::string& value) override;

    // Where the values live (the INI file, or the registry key on Windows).
    QString FileName() const { return m_settings.fileName(); }

private:
    bool Write(const std::string& section, const std::string& entry, const QVariant& value);

    QSettings m_settings;
};

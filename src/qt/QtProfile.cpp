#include "qt/QtProfile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include <QStringList>
#include <QVariant>

namespace {

// QSettings reads "/" and "\" in a key as group separators; names holding them
// would land in another section. They are escaped ("%" first, so that the
// escape is reversible) and every name stays one key inside its own group.
QString EscapeName(const std::string& name) {
    QString out;
    const QString s = QString::fromStdString(name);
    out.reserve(s.size());
    for (QChar c : s) {
        if (c == u'%')
            out += QStringLiteral("%25");
        else if (c == u'/')
            out += QStringLiteral("%2F");
        else if (c == u'\\')
            out += QStringLiteral("%5C");
        else
            out += c;
    }
    return out;
}

QString KeyFor(const std::string& section, const std::string& entry) {
    return EscapeName(section) + u'/' + EscapeName(entry);
}

// An INI file edited by hand may hold "a, b" without quotes, which QSettings
// returns as a list; the value meant is the text itself.
QString AsText(const QVariant& v) {
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(u',');
    return v.toString();
}

// A whole decimal number, the same rule as the in-memory store: nothing else
// around it; values beyond 32 bits are not numbers the program wrote.
bool ParseInt(const QString& text, int& out) {
    const std::string s = text.toStdString();
    if (s.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(s.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < INT_MIN || v > static_cast<long long>(UINT_MAX))
        return false;
    // An unsigned 32-bit value (as a DWORD may be written) keeps its bits.
    out = static_cast<int>(static_cast<unsigned int>(v));
    return true;
}

} // namespace

CQtProfile::CQtProfile()
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Ostrel"),
                 QStringLiteral("Tavreler")) {}

CQtProfile::CQtProfile(const QString& iniFile) : m_settings(iniFile, QSettings::IniFormat) {}

int CQtProfile::GetProfileInt(const std::string& section, const std::string& entry, int nDefault) {
    if (entry.empty())
        return nDefault;
    const QVariant v = m_settings.value(KeyFor(section, entry));
    if (!v.isValid())
        return nDefault;
    switch (v.typeId()) {
    case QMetaType::Int:
        return v.toInt();
    case QMetaType::UInt:
        return static_cast<int>(v.toUInt());
    case QMetaType::QString:
    case QMetaType::QByteArray:
    case QMetaType::QStringList: {
        int n = 0;
        return ParseInt(AsText(v), n) ? n : nDefault;
    }
    default:
        // Anything else (a bool, a list of other kinds, a binary blob) is not an integer.
        return nDefault;
    }
}

std::string CQtProfile::GetProfileString(const std::string& section, const std::string& entry,
                                         const std::string& strDefault) {
    if (entry.empty())
        return strDefault;
    const QVariant v = m_settings.value(KeyFor(section, entry));
    if (!v.isValid())
        return strDefault;
    switch (v.typeId()) {
    case QMetaType::QString:
    case QMetaType::QStringList:
    case QMetaType::Int:
    case QMetaType::UInt:
        return AsText(v).toStdString();
    default:
        return v.canConvert<QString>() ? v.toString().toStdString() : strDefault;
    }
}

bool CQtProfile::WriteProfileInt(const std::string& section, const std::string& entry, int nValue) {
    // Always an int, never a bool: QSettings would store a bool as "true".
    return Write(section, entry, QVariant(nValue));
}

bool CQtProfile::WriteProfileString(const std::string& section, const std::string& entry,
                                    const std::string& value) {
    return Write(section, entry, QVariant(QString::fromStdString(value)));
}

bool CQtProfile::Write(const std::string& section, const std::string& entry,
                       const QVariant& value) {
    if (entry.empty())
        return false;
    m_settings.setValue(KeyFor(section, entry), value);
    m_settings.sync();
    return m_settings.status() == QSettings::NoError;
}

#include "fw/Profile.h"

#include <cerrno>
#include <cstdlib>

namespace {
CMemoryProfile& DefaultProfile() {
    static CMemoryProfile profile;
    return profile;
}
CProfile* g_pProfile = nullptr;
} // namespace

CProfile& AfxGetProfile() {
    return g_pProfile ? *g_pProfile : DefaultProfile();
}

void AfxSetProfile(CProfile* pProfile) {
    g_pProfile = pProfile;
}

int CMemoryProfile::GetProfileInt(const std::string& section, const std::string& entry,
                                  int nDefault) {
    auto it = m_values.find({section, entry});
    if (it == m_values.end())
        return nDefault;
    if (it->second.isInt)
        return it->second.n;
    // A string value that holds a whole number reads as that number, as the registry's does.
    const std::string& s = it->second.str;
    if (s.empty())
        return nDefault;
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(s.c_str(), &end, 10);
    if (errno != 0 || *end != '\0')
        return nDefault;
    return static_cast<int>(v);
}

std::string CMemoryProfile::GetProfileString(const std::string& section, const std::string& entry,
                                             const std::string& strDefault) {
    auto it = m_values.find({section, entry});
    if (it == m_values.end())
        return strDefault;
    if (it->second.isInt)
        return std::to_string(it->second.n);
    return it->second.str;
}

bool CMemoryProfile::WriteProfileInt(const std::string& section, const std::string& entry,
                                     int nValue) {
    m_values[{section, entry}] = Value{true, nValue, {}};
    return true;
}

bool CMemoryProfile::WriteProfileString(const std::string& section, const std::string& entry,
                                        const std::string& value) {
    m_values[{section, entry}] = Value{false, 0, value};
    return true;
}

bool CMemoryProfile::Has(const std::string& section, const std::string& entry) const {
    return m_values.count({section, entry}) != 0;
}

#pragma once
// The per-user settings store: sections holding integer and string values.
// Integers are 32-bit values; strings are UTF-8. A missing value gives the
// caller's default, and reading never writes.
#include <map>
#include <string>
#include <utility>

class CProfile {
public:
    virtual ~CProfile() = default;
    virtual int GetProfileInt(const std::string& section, const std::string& entry,
                              int nDefault) = 0;
    virtual std::string GetProfileString(const std::string& section, const std::string& entry,
                                         const std::string& strDefault) = 0;
    virtual bool WriteProfileInt(const std::string& section, const std::string& entry,
                                 int nValue) = 0;
    virtual bool WriteProfileString(const std::string& section, const std::string& entry,
                                    const std::string& value) = 0;
};

// The profile every part of the program reads and writes. Until the program
// sets its own store this is a process-wide in-memory profile.
CProfile& AfxGetProfile();
void AfxSetProfile(CProfile* pProfile); // nullptr restores the in-memory default

// A profile kept in memory, for tests and for running without a store.
class CMemoryProfile : public CProfile {
public:
    int GetProfileInt(const std::string& section, const std::string& entry, int nDefault) override;
    std::string GetProfileString(const std::string& section, const std::string& entry,
                                 const std::string& strDefault) override;
    bool WriteProfileInt(const std::string& section, const std::string& entry, int nValue) override;
    bool WriteProfileString(const std::string& section, const std::string& entry,
                            const std::string& value) override;

    bool Has(const std::string& section, const std::string& entry) const;
    void Clear() { m_values.clear(); }

private:
    struct Value {
        bool isInt = false;
        int n = 0;
        std::string str;
    };
    std::map<std::pair<std::string, std::string>, Value> m_values;
};

#include "fw/Object.h"

#include <map>

namespace {
std::map<std::string, const CRuntimeClass*>& Registry() {
    static std::map<std::string, const CRuntimeClass*> registry;
    return registry;
}
} // namespace

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBase) const {
    for (const CRuntimeClass* p = this; p; p = p->m_pBaseClass)
        if (p == pBase)
            return true;
    return false;
}

const CRuntimeClass* CRuntimeClass::FromName(const std::string& name) {
    auto it = Registry().find(name);
    return it == Registry().end() ? nullptr : it->second;
}

bool CRuntimeClass::Register(const CRuntimeClass* pClass) {
    Registry()[pClass->m_lpszClassName] = pClass;
    return true;
}

void CObject::Serialize(CArchive&) {}

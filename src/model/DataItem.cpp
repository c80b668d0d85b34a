#include "model/DataItem.h"

IMPLEMENT_SERIAL(CDataItem, nullptr, 1)

void CDataItem::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << DWORD(100) << LONG(m_nType);
    } else {
        DWORD version;
        LONG type;
        ar >> version >> type;
        m_nType = type;
    }
}

CDataItem* CDataItem::Clone() const {
    CDataItem* p = new CDataItem;
    p->m_nType = m_nType;
    p->m_rect = m_rect;
    return p;
}

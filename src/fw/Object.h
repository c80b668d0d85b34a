#pragma once
// Serialisable objects and the registry that creates them by class name when
// an archive is read.
#include <string>

#include "fw/Types.h"

class CArchive;
class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    UINT m_wSchema;
    CObject* (*m_pfnCreateObject)();
    const CRuntimeClass* m_pBaseClass;

    CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
    bool IsDerivedFrom(const CRuntimeClass* pBase) const;

    // The registered class of that exact name, or nullptr.
    static const CRuntimeClass* FromName(const std::string& name);
    // Makes a class known to FromName; returns true so it can initialise a static.
    static bool Register(const CRuntimeClass* pClass);
};

class CObject {
public:
    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const = 0;
    virtual void Serialize(CArchive& ar);
    bool IsKindOf(const CRuntimeClass* pClass) const {
        return GetRuntimeClass()->IsDerivedFrom(pClass);
    }
};

// Declares the run-time class of a serialisable class.
#define DECLARE_SERIAL(class_name)                                                                 \
public:                                                                                            \
    static const CRuntimeClass class##class_name;                                                  \
    const CRuntimeClass* GetRuntimeClass() const override {                                        \
        return &class##class_name;                                                                 \
    }                                                                                              \
    static CObject* CreateObject();

// Defines it and registers the class name (schema as given).
#define IMPLEMENT_SERIAL(class_name, base_class_runtime, schema)                                   \
    CObject* class_name::CreateObject() {                                                          \
        return new class_name;                                                                     \
    }                                                                                              \
    const CRuntimeClass class_name::class##class_name = {                                          \
        #class_name, schema, &class_name::CreateObject, base_class_runtime};                       \
    static const bool g_bRegistered##class_name =                                                  \
        CRuntimeClass::Register(&class_name::class##class_name);

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#pragma once

// Run-time class information and dynamic creation: CRuntimeClass, CObject and
// the DECLARE_/IMPLEMENT_DYNAMIC, DECLARE_/IMPLEMENT_DYNCREATE macros.

#include "WinTypes.h"

class CObject;
class CArchive;

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                     // 0xFFFF for classes without serialization
    CObject* (*m_pfnCreateObject)();    // null when not creatable by name
    const CRuntimeClass* m_pBaseClass;  // null for CObject

    // A new object of the class, or null when the class is not creatable.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

#define RUNTIME_CLASS(class_name) (const_cast<CRuntimeClass*>(&class_name::class##class_name))

class CObject {
public:
    virtual ~CObject() = default;
    virtual CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const {}

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

#define DECLARE_DYNAMIC(class_name)               \
public:                                           \
    static const CRuntimeClass class##class_name; \
    virtual CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define AFX_IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, pfnNew)   \
    const CRuntimeClass class_name::class##class_name = {                  \
        #class_name, static_cast<int>(sizeof(class_name)), 0xFFFF, pfnNew, \
        &base_class_name::class##base_class_name};                         \
    CRuntimeClass* class_name::GetRuntimeClass() const {                   \
        return RUNTIME_CLASS(class_name);                                  \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    AFX_IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* class_name::CreateObject() {                \
        return new class_name;                           \
    }                                                    \
    AFX_IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, class_name::CreateObject)

// Checked downcast: null when the object is not of that class.
#define DYNAMIC_DOWNCAST(class_name, object) \
    (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), object)))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))
CObject* AfxDynamicDownCast(const CRuntimeClass* pClass, CObject* pObject);

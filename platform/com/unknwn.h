#pragma once
// IUnknown and IDispatch, the roots of every interface.

#include "platform/com/guid.h"
#include "platform/com/hresult.h"

struct IUnknown {
    virtual HRESULT QueryInterface(REFIID riid, void** ppvObject) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

    template <class Q>
    HRESULT QueryInterface(Q** pp) {
        return QueryInterface(__uuidof(Q), reinterpret_cast<void**>(pp));
    }

protected:
    // Objects are destroyed by Release, never through an interface pointer.
    virtual ~IUnknown() = default;
};
typedef IUnknown* LPUNKNOWN;

// The automation interface that ADO, ADOX and DAO objects derive from. Late
// binding (type information and Invoke) is not part of this subset: callers use
// the objects' own interfaces, so an object reports that it has no type information.
struct IDispatch : IUnknown {
    virtual HRESULT GetTypeInfoCount(UINT* pctinfo) = 0;
};
typedef IDispatch* LPDISPATCH;

COM_DECLARE_UUID(IUnknown, "00000000-0000-0000-C000-000000000046");
COM_DECLARE_UUID(IDispatch, "00020400-0000-0000-C000-000000000046");

inline constexpr IID IID_IUnknown = __uuidof(IUnknown);
inline constexpr IID IID_IDispatch = __uuidof(IDispatch);

#pragma once
// AutomationObject: the base of the ADO and DAO objects. Adds to ComObject the
// automation basics: no type information, and error information supplied for
// the object's primary interface.

#include "platform/com/comobject.h"
#include "platform/com/errorinfo.h"

template <class Primary, class... Extra>
class AutomationObject : public ComObject<Primary, ISupportErrorInfo, Extra...> {
public:
    HRESULT GetTypeInfoCount(UINT* pctinfo) override {
        if (pctinfo == nullptr) return E_POINTER;
        *pctinfo = 0;
        return S_OK;
    }
    HRESULT InterfaceSupportsErrorInfo(REFIID riid) override {
        return riid == __uuidof(Primary) ? S_OK : S_FALSE;
    }
};

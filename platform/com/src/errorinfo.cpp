// The error object and the per-thread error information slot.

#include <new>
#include <string>

#include "platform/com/comobject.h"
#include "platform/com/errorinfo.h"
#include "platform/com/textconv.h"

namespace {

class ErrorObject final : public ComObject<IErrorInfo, ICreateErrorInfo> {
public:
    HRESULT GetGUID(GUID* pGUID) override {
        if (pGUID == nullptr) return E_INVALIDARG;
        *pGUID = m_guid;
        return S_OK;
    }
    HRESULT GetSource(BSTR* p) override { return copyOut(m_source, p); }
    HRESULT GetDescription(BSTR* p) override { return copyOut(m_description, p); }
    HRESULT GetHelpFile(BSTR* p) override { return copyOut(m_helpFile, p); }
    HRESULT GetHelpContext(DWORD* p) override {
        if (p == nullptr) return E_INVALIDARG;
        *p = m_helpContext;
        return S_OK;
    }

    HRESULT SetGUID(REFGUID rguid) override {
        m_guid = rguid;
        return S_OK;
    }
    HRESULT SetSource(LPOLESTR sz) override { return copyIn(sz, m_source); }
    HRESULT SetDescription(LPOLESTR sz) override { return copyIn(sz, m_description); }
    HRESULT SetHelpFile(LPOLESTR sz) override { return copyIn(sz, m_helpFile); }
    HRESULT SetHelpContext(DWORD dw) override {
        m_helpContext = dw;
        return S_OK;
    }

private:
    static HRESULT copyOut(const std::u16string& text, BSTR* p) {
        if (p == nullptr) return E_INVALIDARG;
        *p = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        return *p != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    static HRESULT copyIn(LPOLESTR sz, std::u16string& field) {
        try {
            field = sz != nullptr ? std::u16string(sz) : std::u16string();
            return S_OK;
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
    }

    GUID m_guid{};
    std::u16string m_source;
    std::u16string m_description;
    std::u16string m_helpFile;
    DWORD m_helpContext = 0;
};

// The thread's error information. A plain pointer rather than an object with a
// destructor: a global object may end COM from its own destructor, which runs
// after the main thread's thread-local objects are gone. The last
// CoUninitialize of the thread releases what is left.
thread_local IErrorInfo* t_errorInfo = nullptr;

}  // namespace

HRESULT CreateErrorInfo(ICreateErrorInfo** pperrinfo) {
    if (pperrinfo == nullptr) return E_INVALIDARG;
    *pperrinfo = new (std::nothrow) ErrorObject();
    return *pperrinfo != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT SetErrorInfo(ULONG /*dwReserved*/, IErrorInfo* perrinfo) {
    if (perrinfo != nullptr) perrinfo->AddRef();
    IErrorInfo* previous = t_errorInfo;
    t_errorInfo = perrinfo;
    if (previous != nullptr) previous->Release();
    return S_OK;
}

HRESULT GetErrorInfo(ULONG /*dwReserved*/, IErrorInfo** pperrinfo) {
    if (pperrinfo == nullptr) return E_INVALIDARG;
    *pperrinfo = t_errorInfo;
    t_errorInfo = nullptr;
    return *pperrinfo != nullptr ? S_OK : S_FALSE;
}

HRESULT ReportComError(HRESULT hr, REFIID iid, std::string_view source,
                       std::string_view description) {
    ICreateErrorInfo* create = nullptr;
    if (FAILED(CreateErrorInfo(&create))) return hr;
    try {
        std::u16string wideSource = Utf8ToUtf16(source);
        std::u16string wideDescription = Utf8ToUtf16(description);
        create->SetGUID(iid);
        create->SetSource(wideSource.data());
        create->SetDescription(wideDescription.data());
        IErrorInfo* info = nullptr;
        if (SUCCEEDED(create->QueryInterface(&info))) {
            SetErrorInfo(0, info);
            info->Release();
        }
    } catch (const std::bad_alloc&) {
        SetErrorInfo(0, nullptr);  // better none than a stale one
    }
    create->Release();
    return hr;
}

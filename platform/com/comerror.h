#pragma once
// _com_error: the exception that the COM support raises for a failed HRESULT,
// carrying the error information of the failing object when it supplied any.

#include <string>

#include "platform/com/comutil.h"
#include "platform/com/errorinfo.h"

class _com_error {
public:
    // Takes over one reference of perrinfo, or adds one when fAddRef is true.
    explicit _com_error(HRESULT hr, IErrorInfo* perrinfo = nullptr, bool fAddRef = false) noexcept;
    _com_error(const _com_error& that) noexcept;
    _com_error& operator=(const _com_error& that) noexcept;
    virtual ~_com_error();

    HRESULT Error() const noexcept { return m_hr; }
    WORD WCode() const noexcept { return HRESULTToWCode(m_hr); }
    IErrorInfo* ErrorInfo() const noexcept;  // a new reference, or null

    // From the error information; null strings when there is none.
    _bstr_t Source() const;
    _bstr_t Description() const;
    _bstr_t HelpFile() const;
    DWORD HelpContext() const;

    // A text for the HRESULT itself (not the error information): "IDispatch error
    // #n" for an automation error code, a fixed text for the common system codes,
    // else "Unknown error 0x........".
    const TCHAR* ErrorMessage() const;

    static HRESULT WCodeToHRESULT(WORD wCode) noexcept;
    static WORD HRESULTToWCode(HRESULT hr) noexcept;

private:
    HRESULT m_hr;
    IErrorInfo* m_perrinfo;
    mutable std::string m_message;
};

// Raises _com_error(hr) without error information.
[[noreturn]] void _com_issue_error(HRESULT hr);
// Raises _com_error(hr) with the thread's error information when `punk` says,
// through ISupportErrorInfo, that interface `riid` supplies it.
[[noreturn]] void _com_issue_errorex(HRESULT hr, IUnknown* punk, REFIID riid);

// The wrappers' check of a raw method's result: raises a failure through
// _com_issue_errorex, returns a success unchanged.
inline HRESULT ComCheck(HRESULT hr, IUnknown* punk, REFIID riid) {
    if (FAILED(hr)) _com_issue_errorex(hr, punk, riid);
    return hr;
}

// _com_error and the functions that raise it.

#include <cstdio>
#include <utility>

#include "platform/com/comerror.h"

namespace {

constexpr WORD kFirstDispatchCode =
    0x200;  // automation codes below FACILITY_ITF 0x200 are system ones

const char* knownMessage(HRESULT hr) {
    switch (hr) {
        case S_OK:
            return "No error.";
        case S_FALSE:
            return "The operation completed with a false result.";
        case E_UNEXPECTED:
            return "Catastrophic failure.";
        case E_NOTIMPL:
            return "Not implemented.";
        case E_NOINTERFACE:
            return "No such interface supported.";
        case E_POINTER:
            return "Invalid pointer.";
        case E_ABORT:
            return "Operation aborted.";
        case E_FAIL:
            return "Unspecified error.";
        case E_ACCESSDENIED:
            return "Access is denied.";
        case E_HANDLE:
            return "The handle is invalid.";
        case E_OUTOFMEMORY:
            return "Not enough memory is available to complete this operation.";
        case E_INVALIDARG:
            return "The parameter is incorrect.";
        case CLASS_E_NOAGGREGATION:
            return "Class does not support aggregation.";
        case REGDB_E_CLASSNOTREG:
            return "Class not registered.";
        case CO_E_NOTINITIALIZED:
            return "CoInitialize has not been called.";
        case RPC_E_CHANGED_MODE:
            return "Cannot change thread mode after it is set.";
        case DISP_E_PARAMNOTFOUND:
            return "Parameter not found.";
        case DISP_E_TYPEMISMATCH:
            return "Type mismatch.";
        case DISP_E_BADVARTYPE:
            return "Bad variable type.";
        case DISP_E_EXCEPTION:
            return "Exception occurred.";
        case DISP_E_OVERFLOW:
            return "Out of present range.";
        case DISP_E_BADINDEX:
            return "Invalid index.";
        default:
            return nullptr;
    }
}

}  // namespace

_com_error::_com_error(HRESULT hr, IErrorInfo* perrinfo, bool fAddRef) noexcept
    : m_hr(hr), m_perrinfo(perrinfo) {
    if (m_perrinfo != nullptr && fAddRef) m_perrinfo->AddRef();
}

_com_error::_com_error(const _com_error& that) noexcept
    : m_hr(that.m_hr), m_perrinfo(that.m_perrinfo) {
    if (m_perrinfo != nullptr) m_perrinfo->AddRef();
}

_com_error& _com_error::operator=(const _com_error& that) noexcept {
    if (this != &that) {
        _com_error copy(that);
        std::swap(m_hr, copy.m_hr);
        std::swap(m_perrinfo, copy.m_perrinfo);
        m_message.clear();
    }
    return *this;
}

_com_error::~_com_error() {
    if (m_perrinfo != nullptr) m_perrinfo->Release();
}

IErrorInfo* _com_error::ErrorInfo() const noexcept {
    if (m_perrinfo != nullptr) m_perrinfo->AddRef();
    return m_perrinfo;
}

_bstr_t _com_error::Source() const {
    BSTR text = nullptr;
    if (m_perrinfo == nullptr || FAILED(m_perrinfo->GetSource(&text))) return _bstr_t();
    return _bstr_t(text, false);
}

_bstr_t _com_error::Description() const {
    BSTR text = nullptr;
    if (m_perrinfo == nullptr || FAILED(m_perrinfo->GetDescription(&text))) return _bstr_t();
    return _bstr_t(text, false);
}

_bstr_t _com_error::HelpFile() const {
    BSTR text = nullptr;
    if (m_perrinfo == nullptr || FAILED(m_perrinfo->GetHelpFile(&text))) return _bstr_t();
    return _bstr_t(text, false);
}

DWORD _com_error::HelpContext() const {
    DWORD context = 0;
    if (m_perrinfo == nullptr || FAILED(m_perrinfo->GetHelpContext(&context))) return 0;
    return context;
}

const TCHAR* _com_error::ErrorMessage() const {
    if (m_message.empty()) {
        char buffer[64];
        if (const WORD wCode = WCode(); wCode != 0) {
            std::snprintf(buffer, sizeof buffer, "IDispatch error #%u", unsigned{wCode});
            m_message = buffer;
        } else if (const char* known = knownMessage(m_hr)) {
            m_message = known;
        } else {
            std::snprintf(buffer, sizeof buffer, "Unknown error 0x%08X",
                          static_cast<unsigned>(m_hr));
            m_message = buffer;
        }
    }
    return m_message.c_str();
}

HRESULT _com_error::WCodeToHRESULT(WORD wCode) noexcept {
    return wCode >= 0xFE00 ? static_cast<HRESULT>(0x8004FFFFu)
                           : static_cast<HRESULT>(0x80040000u | (wCode + kFirstDispatchCode));
}

WORD _com_error::HRESULTToWCode(HRESULT hr) noexcept {
    const auto code = static_cast<std::uint32_t>(hr);
    if ((code & 0xFFFF0000u) == 0x80040000u && (code & 0xFFFFu) >= kFirstDispatchCode) {
        return static_cast<WORD>((code & 0xFFFFu) - kFirstDispatchCode);
    }
    return 0;
}

void _com_issue_error(HRESULT hr) {
    throw _com_error(hr);
}

void _com_issue_errorex(HRESULT hr, IUnknown* punk, REFIID riid) {
    IErrorInfo* perrinfo = nullptr;
    ISupportErrorInfo* psei = nullptr;
    if (punk != nullptr && SUCCEEDED(punk->QueryInterface(&psei))) {
        if (psei->InterfaceSupportsErrorInfo(riid) == S_OK && GetErrorInfo(0, &perrinfo) != S_OK) {
            perrinfo = nullptr;
        }
        psei->Release();
    }
    throw _com_error(hr, perrinfo, false);
}

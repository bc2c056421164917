#pragma once
// Error information: an object that fails a call can leave a source and a
// description for the calling thread (SetErrorInfo); the caller picks it up with
// GetErrorInfo, if the object says through ISupportErrorInfo that the interface
// it called supplies error information.

#include <string_view>

#include "platform/com/bstr.h"
#include "platform/com/unknwn.h"

struct IErrorInfo : IUnknown {
    virtual HRESULT GetGUID(GUID* pGUID) = 0;
    virtual HRESULT GetSource(BSTR* pBstrSource) = 0;
    virtual HRESULT GetDescription(BSTR* pBstrDescription) = 0;
    virtual HRESULT GetHelpFile(BSTR* pBstrHelpFile) = 0;
    virtual HRESULT GetHelpContext(DWORD* pdwHelpContext) = 0;
};

struct ICreateErrorInfo : IUnknown {
    virtual HRESULT SetGUID(REFGUID rguid) = 0;
    virtual HRESULT SetSource(LPOLESTR szSource) = 0;
    virtual HRESULT SetDescription(LPOLESTR szDescription) = 0;
    virtual HRESULT SetHelpFile(LPOLESTR szHelpFile) = 0;
    virtual HRESULT SetHelpContext(DWORD dwHelpContext) = 0;
};

struct ISupportErrorInfo : IUnknown {
    // S_OK when the methods of `riid` supply error information, else S_FALSE.
    virtual HRESULT InterfaceSupportsErrorInfo(REFIID riid) = 0;
};

COM_DECLARE_UUID(IErrorInfo, "1CF2B120-547D-101B-8E65-08002B2BD119");
COM_DECLARE_UUID(ICreateErrorInfo, "22F03340-547D-101B-8E65-08002B2BD119");
COM_DECLARE_UUID(ISupportErrorInfo, "DF0B3D60-548F-101B-8E65-08002B2BD119");

// A new, empty error object; QueryInterface it for IErrorInfo to hand it on.
HRESULT CreateErrorInfo(ICreateErrorInfo** pperrinfo);
// Replaces the calling thread's error information (null clears it).
HRESULT SetErrorInfo(ULONG dwReserved, IErrorInfo* perrinfo);
// Takes the calling thread's error information, leaving none behind; S_FALSE
// (and null) when there is none.
HRESULT GetErrorInfo(ULONG dwReserved, IErrorInfo** pperrinfo);

// Sets the thread's error information to `source` and `description` (UTF-8)
// for interface `iid`, and returns `hr`: the usual last line of a failing method.
HRESULT ReportComError(HRESULT hr, REFIID iid, std::string_view source,
                       std::string_view description);

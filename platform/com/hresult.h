#pragma once
// HRESULT values and the macros that take them apart.

#include "platform/com/wintypes.h"

#define SUCCEEDED(hr) (static_cast<HRESULT>(hr) >= 0)
#define FAILED(hr) (static_cast<HRESULT>(hr) < 0)
#define HRESULT_CODE(hr) (static_cast<HRESULT>(hr) & 0xFFFF)
#define HRESULT_FACILITY(hr) ((static_cast<HRESULT>(hr) >> 16) & 0x1FFF)
#define HRESULT_SEVERITY(hr) ((static_cast<HRESULT>(hr) >> 31) & 0x1)
#define MAKE_HRESULT(sev, fac, code)                               \
    static_cast<HRESULT>((static_cast<std::uint32_t>(sev) << 31) | \
                         (static_cast<std::uint32_t>(fac) << 16) | \
                         static_cast<std::uint32_t>(code))

constexpr unsigned SEVERITY_SUCCESS = 0;
constexpr unsigned SEVERITY_ERROR = 1;
constexpr unsigned FACILITY_NULL = 0;
constexpr unsigned FACILITY_RPC = 1;
constexpr unsigned FACILITY_DISPATCH = 2;
constexpr unsigned FACILITY_ITF = 4;
constexpr unsigned FACILITY_WIN32 = 7;
constexpr unsigned FACILITY_CONTROL = 10;  // errors of automation objects (ADO, DAO)

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu);
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
constexpr HRESULT E_ABORT = static_cast<HRESULT>(0x80004004u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_ACCESSDENIED = static_cast<HRESULT>(0x80070005u);
constexpr HRESULT E_HANDLE = static_cast<HRESULT>(0x80070006u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);

constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154u);
constexpr HRESULT CO_E_NOTINITIALIZED = static_cast<HRESULT>(0x800401F0u);
constexpr HRESULT RPC_E_CHANGED_MODE = static_cast<HRESULT>(0x80010106u);

constexpr HRESULT DISP_E_UNKNOWNINTERFACE = static_cast<HRESULT>(0x80020001u);
constexpr HRESULT DISP_E_MEMBERNOTFOUND = static_cast<HRESULT>(0x80020003u);
constexpr HRESULT DISP_E_PARAMNOTFOUND = static_cast<HRESULT>(0x80020004u);
constexpr HRESULT DISP_E_TYPEMISMATCH = static_cast<HRESULT>(0x80020005u);
constexpr HRESULT DISP_E_BADVARTYPE = static_cast<HRESULT>(0x80020008u);
constexpr HRESULT DISP_E_EXCEPTION = static_cast<HRESULT>(0x80020009u);
constexpr HRESULT DISP_E_OVERFLOW = static_cast<HRESULT>(0x8002000Au);
constexpr HRESULT DISP_E_BADINDEX = static_cast<HRESULT>(0x8002000Bu);

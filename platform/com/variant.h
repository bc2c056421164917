#pragma once
// VARIANT: the automation value type, for the kinds this program passes around.

#include "platform/com/bstr.h"
#include "platform/com/unknwn.h"

typedef unsigned short VARTYPE;
enum VARENUM : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_UNKNOWN = 13,
    VT_I1 = 16,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_INT = 22,
    VT_UINT = 23,
};

typedef SHORT VARIANT_BOOL;
constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;
typedef LONG SCODE;

struct VARIANT {
    VARTYPE vt;
    WORD wReserved1;
    WORD wReserved2;
    WORD wReserved3;
    union {
        CHAR cVal;
        BYTE bVal;
        SHORT iVal;
        USHORT uiVal;
        LONG lVal;
        ULONG ulVal;
        INT intVal;
        UINT uintVal;
        VARIANT_BOOL boolVal;
        SCODE scode;  // VT_ERROR; DISP_E_PARAMNOTFOUND marks an omitted optional argument
        BSTR bstrVal;
        IUnknown* punkVal;
        IDispatch* pdispVal;
    };
};
typedef VARIANT VARIANTARG;
typedef VARIANT* LPVARIANT;

void VariantInit(VARIANT* pvarg);
// Frees what the variant owns (string, interface reference) and makes it VT_EMPTY.
HRESULT VariantClear(VARIANT* pvarg);
// Clears *pvargDest, then copies: strings byte for byte, interfaces with AddRef.
HRESULT VariantCopy(VARIANT* pvargDest, const VARIANT* pvargSrc);
// Converts between the integer types, VT_BOOL and VT_BSTR (decimal text);
// DISP_E_OVERFLOW when the value does not fit, DISP_E_TYPEMISMATCH when a kind
// cannot be converted. pvargDest may equal pvarSrc.
HRESULT VariantChangeType(VARIANT* pvargDest, const VARIANT* pvarSrc, USHORT wFlags, VARTYPE vt);

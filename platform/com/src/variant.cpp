// VARIANT lifetime, copy and the conversions between integers, booleans and text.

#include <cstdint>
#include <limits>
#include <string>

#include "platform/com/variant.h"

namespace {

bool isInteger(VARTYPE vt) {
    switch (vt) {
        case VT_I1:
        case VT_UI1:
        case VT_I2:
        case VT_UI2:
        case VT_I4:
        case VT_UI4:
        case VT_INT:
        case VT_UINT:
        case VT_BOOL:
            return true;
        default:
            return false;
    }
}

std::int64_t integerValue(const VARIANT& v) {
    switch (v.vt) {
        case VT_I1:
            return v.cVal;
        case VT_UI1:
            return v.bVal;
        case VT_I2:
            return v.iVal;
        case VT_UI2:
            return v.uiVal;
        case VT_I4:
            return v.lVal;
        case VT_UI4:
            return v.ulVal;
        case VT_INT:
            return v.intVal;
        case VT_UINT:
            return v.uintVal;
        case VT_BOOL:
            return v.boolVal;
        default:
            return 0;
    }
}

// Decimal text with optional blanks around it and an optional sign.
HRESULT parseInteger(BSTR text, std::int64_t* value) {
    const UINT n = SysStringLen(text);
    UINT i = 0;
    while (i < n && text[i] == u' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
    const UINT firstDigit = i;
    std::int64_t result = 0;
    constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max() + std::int64_t{1};
    bool overflow = false;
    for (; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        result = result * 10 + (text[i] - u'0');
        if (result > kLimit * 2) overflow = true, result = kLimit * 2;
    }
    if (i == firstDigit) return DISP_E_TYPEMISMATCH;
    while (i < n && text[i] == u' ') ++i;
    if (i != n) return DISP_E_TYPEMISMATCH;
    if (overflow) return DISP_E_OVERFLOW;
    *value = negative ? -result : result;
    return S_OK;
}

HRESULT toInteger(const VARIANT& src, std::int64_t* value) {
    if (src.vt == VT_EMPTY) {
        *value = 0;
        return S_OK;
    }
    if (isInteger(src.vt)) {
        *value = integerValue(src);
        return S_OK;
    }
    if (src.vt == VT_BSTR) return parseInteger(src.bstrVal, value);
    if (src.vt == VT_NULL || src.vt == VT_DISPATCH || src.vt == VT_UNKNOWN || src.vt == VT_ERROR) {
        return DISP_E_TYPEMISMATCH;
    }
    return DISP_E_BADVARTYPE;
}

bool fits(std::int64_t value, std::int64_t low, std::int64_t high) {
    return value >= low && value <= high;
}

}  // namespace

void VariantInit(VARIANT* pvarg) {
    if (pvarg == nullptr) return;
    pvarg->vt = VT_EMPTY;
    pvarg->wReserved1 = pvarg->wReserved2 = pvarg->wReserved3 = 0;
    pvarg->lVal = 0;
}

HRESULT VariantClear(VARIANT* pvarg) {
    if (pvarg == nullptr) return E_INVALIDARG;
    switch (pvarg->vt) {
        case VT_BSTR:
            SysFreeString(pvarg->bstrVal);
            break;
        case VT_DISPATCH:
        case VT_UNKNOWN:
            if (pvarg->punkVal != nullptr) pvarg->punkVal->Release();
            break;
        case VT_EMPTY:
        case VT_NULL:
        case VT_ERROR:
            break;
        default:
            if (!isInteger(pvarg->vt)) return DISP_E_BADVARTYPE;
    }
    VariantInit(pvarg);
    return S_OK;
}

HRESULT VariantCopy(VARIANT* pvargDest, const VARIANT* pvargSrc) {
    if (pvargDest == nullptr || pvargSrc == nullptr) return E_INVALIDARG;
    if (pvargDest == pvargSrc) return S_OK;
    VARIANT copy = *pvargSrc;
    if (pvargSrc->vt == VT_BSTR && pvargSrc->bstrVal != nullptr) {
        copy.bstrVal = SysAllocStringByteLen(reinterpret_cast<LPCSTR>(pvargSrc->bstrVal),
                                             SysStringByteLen(pvargSrc->bstrVal));
        if (copy.bstrVal == nullptr) return E_OUTOFMEMORY;
    } else if ((pvargSrc->vt == VT_DISPATCH || pvargSrc->vt == VT_UNKNOWN) &&
               pvargSrc->punkVal != nullptr) {
        pvargSrc->punkVal->AddRef();
    } else if (pvargSrc->vt != VT_EMPTY && pvargSrc->vt != VT_NULL && pvargSrc->vt != VT_ERROR &&
               pvargSrc->vt != VT_BSTR && !isInteger(pvargSrc->vt) && pvargSrc->vt != VT_DISPATCH &&
               pvargSrc->vt != VT_UNKNOWN) {
        return DISP_E_BADVARTYPE;
    }
    if (HRESULT hr = VariantClear(pvargDest); FAILED(hr)) {
        VariantClear(&copy);
        return hr;
    }
    *pvargDest = copy;
    return S_OK;
}

HRESULT VariantChangeType(VARIANT* pvargDest, const VARIANT* pvarSrc, USHORT /*wFlags*/,
                          VARTYPE vt) {
    if (pvargDest == nullptr || pvarSrc == nullptr) return E_INVALIDARG;
    if (pvarSrc->vt == vt) return VariantCopy(pvargDest, pvarSrc);
    VARIANT result;
    VariantInit(&result);
    result.vt = vt;
    if (vt == VT_BSTR) {
        std::int64_t value;
        if (HRESULT hr = toInteger(*pvarSrc, &value); FAILED(hr)) return hr;
        if (pvarSrc->vt == VT_EMPTY) {
            result.bstrVal = SysAllocStringLen(nullptr, 0);
        } else {
            const std::string digits = std::to_string(value);
            result.bstrVal = SysAllocStringLen(nullptr, static_cast<UINT>(digits.size()));
            if (result.bstrVal != nullptr) {
                for (std::size_t i = 0; i < digits.size(); ++i) result.bstrVal[i] = digits[i];
            }
        }
        if (result.bstrVal == nullptr) return E_OUTOFMEMORY;
    } else {
        std::int64_t value;
        if (HRESULT hr = toInteger(*pvarSrc, &value); FAILED(hr)) return hr;
        switch (vt) {
            case VT_I2:
                if (!fits(value, INT16_MIN, INT16_MAX)) return DISP_E_OVERFLOW;
                result.iVal = static_cast<SHORT>(value);
                break;
            case VT_I4:
            case VT_INT:
                if (!fits(value, INT32_MIN, INT32_MAX)) return DISP_E_OVERFLOW;
                result.lVal = static_cast<LONG>(value);
                break;
            case VT_BOOL:
                result.boolVal = value != 0 ? VARIANT_TRUE : VARIANT_FALSE;
                break;
            default:
                return DISP_E_TYPEMISMATCH;
        }
    }
    if (HRESULT hr = VariantClear(pvargDest); FAILED(hr)) {
        VariantClear(&result);
        return hr;
    }
    *pvargDest = result;
    return S_OK;
}

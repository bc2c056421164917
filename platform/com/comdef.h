#pragma once
// The COM support in one include: types, COM start-up and object creation,
// BSTR, VARIANT, error information and the support classes _bstr_t,
// _variant_t, _com_ptr_t and _com_error.

#include "platform/com/bstr.h"
#include "platform/com/comerror.h"
#include "platform/com/comip.h"
#include "platform/com/comutil.h"
#include "platform/com/errorinfo.h"
#include "platform/com/guid.h"
#include "platform/com/hresult.h"
#include "platform/com/objbase.h"
#include "platform/com/textconv.h"
#include "platform/com/unknwn.h"
#include "platform/com/variant.h"
#include "platform/com/wintypes.h"

_COM_SMARTPTR_TYPEDEF(IUnknown, __uuidof(IUnknown));
_COM_SMARTPTR_TYPEDEF(IDispatch, __uuidof(IDispatch));
_COM_SMARTPTR_TYPEDEF(IErrorInfo, __uuidof(IErrorInfo));
_COM_SMARTPTR_TYPEDEF(ISupportErrorInfo, __uuidof(ISupportErrorInfo));

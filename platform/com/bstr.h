#pragma once
// BSTR: a UTF-16 string allocated by the system, preceded by its length in
// bytes (4 bytes) and followed by a terminating zero. A null BSTR is the empty
// string.

#include "platform/com/wintypes.h"

typedef WCHAR OLECHAR;
typedef OLECHAR* LPOLESTR;
typedef const OLECHAR* LPCOLESTR;
typedef OLECHAR* BSTR;

// A copy of the zero-terminated `psz`; null for a null `psz` or when out of memory.
BSTR SysAllocString(const OLECHAR* psz);
// `cch` characters copied from `pch`, or left zeroed when `pch` is null.
BSTR SysAllocStringLen(const OLECHAR* pch, UINT cch);
// `len` bytes copied from `psz` (or zeroed when it is null), followed by a zero
// character: how 8-bit text travels in a BSTR.
BSTR SysAllocStringByteLen(LPCSTR psz, UINT len);
// Replaces *pbstr by a copy of `psz`; FALSE when out of memory (*pbstr unchanged).
INT SysReAllocString(BSTR* pbstr, const OLECHAR* psz);
void SysFreeString(BSTR bstr);
UINT SysStringLen(BSTR bstr);      // characters, without the terminator
UINT SysStringByteLen(BSTR bstr);  // bytes, without the terminator

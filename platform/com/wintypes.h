#pragma once
// The basic scalar types of the Windows API, with the sizes they have there
// (LONG and ULONG are 32-bit, WCHAR is a UTF-16 code unit). Shared by every
// platform layer, so each type is defined in this one place only.
#ifndef TARNEX_PLATFORM_WINTYPES_H
#define TARNEX_PLATFORM_WINTYPES_H

#include <cstddef>
#include <cstdint>

typedef int BOOL;
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

typedef std::uint8_t BYTE;
typedef std::uint16_t WORD;
typedef std::uint32_t DWORD;
typedef std::uint64_t QWORD;
typedef char CHAR;
typedef unsigned char UCHAR;
typedef std::int16_t SHORT;
typedef std::uint16_t USHORT;
typedef int INT;
typedef unsigned int UINT;
typedef std::int32_t LONG;
typedef std::uint32_t ULONG;
typedef std::int64_t LONGLONG;
typedef std::uint64_t ULONGLONG;
typedef float FLOAT;
typedef double DOUBLE;

typedef std::intptr_t INT_PTR;
typedef std::uintptr_t UINT_PTR;
typedef std::intptr_t LONG_PTR;
typedef std::uintptr_t ULONG_PTR;
typedef ULONG_PTR DWORD_PTR;
typedef ULONG_PTR SIZE_T;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;

typedef void* LPVOID;
typedef const void* LPCVOID;
typedef void* HANDLE;

typedef CHAR* LPSTR;
typedef const CHAR* LPCSTR;
typedef char16_t WCHAR;  // UTF-16 code unit, as on the platform
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef char TCHAR;  // this program is built with 8-bit text
typedef TCHAR* LPTSTR;
typedef const TCHAR* LPCTSTR;

typedef std::int32_t HRESULT;

#endif  // TARNEX_PLATFORM_WINTYPES_H

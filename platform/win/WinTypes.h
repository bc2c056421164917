#pragma once

// Scalar types, handles and small structs of the platform's API. The scalar
// block is shared word for word with platform/com/wintypes.h (same guard), so
// either header may come first.

#include <cstddef>
#include <cstdint>

#ifndef TARNEX_WIN_SCALAR_TYPES
#define TARNEX_WIN_SCALAR_TYPES
typedef int BOOL;
typedef std::uint8_t BYTE;
typedef std::uint16_t WORD;
typedef std::uint32_t DWORD;
typedef unsigned int UINT;
typedef std::int32_t LONG;
typedef std::uint32_t ULONG;
typedef std::intptr_t INT_PTR;
typedef std::intptr_t LONG_PTR;
typedef std::uintptr_t UINT_PTR;
typedef std::uintptr_t ULONG_PTR;
typedef std::uintptr_t DWORD_PTR;
typedef std::uintptr_t WPARAM;
typedef std::intptr_t LPARAM;
typedef std::intptr_t LRESULT;
typedef std::int32_t HRESULT;
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
#endif  // TARNEX_WIN_SCALAR_TYPES

typedef char CHAR;
typedef char TCHAR;
typedef unsigned char UCHAR;
typedef short SHORT;
typedef unsigned short USHORT;
typedef int INT;
typedef LONG SCODE;
typedef CHAR* LPSTR;
typedef const CHAR* LPCSTR;
typedef TCHAR* LPTSTR;
typedef const TCHAR* LPCTSTR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef DWORD* LPDWORD;
typedef BOOL* LPBOOL;
typedef void* HANDLE;
typedef WORD ATOM;
typedef DWORD COLORREF;

// Handles are pointers to distinct incomplete types, as on the platform.
struct HWND__;
struct HMENU__;
struct HICON__;
struct HINSTANCE__;
struct HACCEL__;
struct HBITMAP__;
struct HCURSOR__;
typedef HWND__* HWND;
typedef HMENU__* HMENU;
typedef HICON__* HICON;
typedef HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;
typedef HACCEL__* HACCEL;
typedef HBITMAP__* HBITMAP;
typedef HCURSOR__* HCURSOR;

#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)))

#ifndef MAX_PATH
#define MAX_PATH 260
#endif

struct POINT {
    LONG x;
    LONG y;
};
typedef POINT* LPPOINT;

struct SIZE {
    LONG cx;
    LONG cy;
};
typedef SIZE* LPSIZE;

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
typedef RECT* LPRECT;
typedef const RECT* LPCRECT;

struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

constexpr WORD LOWORD(DWORD_PTR v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(DWORD_PTR v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi) {
    return static_cast<WPARAM>(static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16));
}
constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) {
    return static_cast<LPARAM>(static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16));
}
constexpr LONG MAKELONG(WORD lo, WORD hi) {
    return static_cast<LONG>(static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16));
}

// A resource named by number travels in a string pointer, as on the platform.
inline LPSTR MAKEINTRESOURCEA(UINT id) {
    return reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(id)));
}
inline LPSTR MAKEINTRESOURCE(UINT id) { return MAKEINTRESOURCEA(id); }
inline bool IS_INTRESOURCE(LPCSTR p) { return (reinterpret_cast<ULONG_PTR>(p) >> 16) == 0; }

#ifndef _T
#define _T(x) x
#endif
#ifndef _TEXT
#define _TEXT(x) x
#endif
#ifndef TEXT
#define TEXT(x) x
#endif

#ifndef S_OK
#define S_OK (static_cast<HRESULT>(0))
#endif
#ifndef S_FALSE
#define S_FALSE (static_cast<HRESULT>(1))
#endif

inline int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) return -1;
    long long r = static_cast<long long>(number) * numerator;
    // Rounds half away from zero, as the platform does.
    long long half = (denominator > 0 ? denominator : -denominator) / 2;
    bool negative = (r < 0) != (denominator < 0);
    long long a = (r < 0 ? -r : r) + half;
    long long q = a / (denominator > 0 ? denominator : -denominator);
    return static_cast<int>(negative ? -q : q);
}

#pragma once

// Handles, small structs and helpers of the platform's API. The scalar types
// (BOOL, DWORD, UINT, LONG, WPARAM, LPARAM, LRESULT, HRESULT, LPCTSTR...) are
// shared with the COM subset and defined once, in platform/com/wintypes.h.

#include <cstddef>
#include <cstdint>

#include "platform/com/wintypes.h"

typedef LONG SCODE;
typedef DWORD* LPDWORD;
typedef BOOL* LPBOOL;
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

constexpr WORD LOWORD(DWORD_PTR v) {
    return static_cast<WORD>(v & 0xFFFF);
}
constexpr WORD HIWORD(DWORD_PTR v) {
    return static_cast<WORD>((v >> 16) & 0xFFFF);
}
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
inline LPSTR MAKEINTRESOURCE(UINT id) {
    return MAKEINTRESOURCEA(id);
}
inline bool IS_INTRESOURCE(LPCSTR p) {
    return (reinterpret_cast<ULONG_PTR>(p) >> 16) == 0;
}

#ifndef _T
#define _T(x) x
#endif
#ifndef _TEXT
#define _TEXT(x) x
#endif
#ifndef TEXT
#define TEXT(x) x
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

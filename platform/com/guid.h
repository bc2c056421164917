#pragma once
// GUIDs, the interface and class identifiers built on them, and __uuidof(T)
// for types that declare their identifier with COM_DECLARE_UUID.

#include "platform/com/wintypes.h"

struct GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];

    friend constexpr bool operator==(const GUID& a, const GUID& b) noexcept {
        if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
        for (int i = 0; i < 8; ++i) {
            if (a.Data4[i] != b.Data4[i]) return false;
        }
        return true;
    }
};
typedef GUID IID;
typedef GUID CLSID;
typedef const GUID& REFGUID;
typedef const IID& REFIID;
typedef const CLSID& REFCLSID;

inline constexpr GUID GUID_NULL{};

inline bool IsEqualGUID(REFGUID a, REFGUID b) noexcept {
    return a == b;
}
inline bool IsEqualIID(REFIID a, REFIID b) noexcept {
    return a == b;
}
inline bool IsEqualCLSID(REFCLSID a, REFCLSID b) noexcept {
    return a == b;
}

namespace com_detail {

consteval unsigned hexDigit(char c) {
    if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
    throw "not a hexadecimal digit";  // a compile-time error in a constant expression
}

consteval unsigned long long hexField(const char* text, int first, int count) {
    unsigned long long value = 0;
    for (int i = 0; i < count; ++i) value = value * 16 + hexDigit(text[first + i]);
    return value;
}

}  // namespace com_detail

// Parses "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX" at compile time.
template <std::size_t N>
consteval GUID GuidFromString(const char (&text)[N]) {
    static_assert(N == 37, "a GUID is written as 36 characters");
    if (text[8] != '-' || text[13] != '-' || text[18] != '-' || text[23] != '-') {
        throw "a GUID needs dashes at positions 8, 13, 18 and 23";
    }
    using com_detail::hexField;
    GUID g{};
    g.Data1 = static_cast<DWORD>(hexField(text, 0, 8));
    g.Data2 = static_cast<WORD>(hexField(text, 9, 4));
    g.Data3 = static_cast<WORD>(hexField(text, 14, 4));
    g.Data4[0] = static_cast<BYTE>(hexField(text, 19, 2));
    g.Data4[1] = static_cast<BYTE>(hexField(text, 21, 2));
    for (int i = 0; i < 6; ++i) g.Data4[2 + i] = static_cast<BYTE>(hexField(text, 24 + 2 * i, 2));
    return g;
}

// The identifier of an interface or class type; specialised by COM_DECLARE_UUID.
template <class T>
struct ComUuid;

// Declares the identifier of `type`; use at global scope.
#define COM_DECLARE_UUID(type, text)                        \
    template <>                                             \
    struct ComUuid<type> {                                  \
        static constexpr GUID value = GuidFromString(text); \
    }

#define __uuidof(type) (::ComUuid<type>::value)

#pragma once
// The COM support classes for strings and variants:
//   _bstr_t    a shared, reference-counted BSTR that also gives the text as narrow
//              (UTF-8) characters; a null _bstr_t gives null pointers;
//   _variant_t a VARIANT that frees what it holds.
// Both raise _com_error on failure (out of memory, bad conversion).

#include <memory>
#include <string>

#include "platform/com/bstr.h"
#include "platform/com/variant.h"

[[noreturn]] void _com_issue_error(HRESULT hr);

class _variant_t;

class _bstr_t {
public:
    _bstr_t() noexcept = default;
    _bstr_t(const _bstr_t&) noexcept = default;  // shares the string
    _bstr_t(_bstr_t&&) noexcept = default;
    _bstr_t(const char* s);          // narrow (UTF-8) text, converted to UTF-16
    _bstr_t(const OLECHAR* s);       // copied
    _bstr_t(BSTR bstr, bool fCopy);  // fCopy false: takes ownership of bstr
    _bstr_t(const _variant_t& var);  // the variant converted to text
    ~_bstr_t() = default;

    _bstr_t& operator=(const _bstr_t&) noexcept = default;
    _bstr_t& operator=(_bstr_t&&) noexcept = default;
    _bstr_t& operator=(const char* s);
    _bstr_t& operator=(const OLECHAR* s);

    _bstr_t& operator+=(const _bstr_t& s);
    friend _bstr_t operator+(const _bstr_t& a, const _bstr_t& b);

    operator const OLECHAR*() const noexcept;
    operator OLECHAR*() const noexcept;
    // Narrow text, valid while this object lives and is not changed; null when the BSTR is null.
    operator const char*() const;
    operator char*() const;

    bool operator!() const noexcept;  // true for a null string only

    // A null string equals the empty one.
    friend bool operator==(const _bstr_t& a, const _bstr_t& b) noexcept;
    friend bool operator==(const _bstr_t& a, const char* b);
    friend bool operator==(const _bstr_t& a, const OLECHAR* b) noexcept;
    friend bool operator<(const _bstr_t& a, const _bstr_t& b) noexcept;

    unsigned int length() const noexcept;
    BSTR copy(bool fCopy = true) const;  // a new BSTR for the caller, or the held one
    void Assign(BSTR s);                 // copies s
    void Attach(BSTR s);                 // takes ownership of s
    BSTR Detach();                       // gives up the string (a copy when it is shared)
    BSTR& GetBSTR();
    BSTR* GetAddress();  // frees the string and returns a slot for an [out] BSTR

private:
    struct Data;
    void makeUnique();
    std::shared_ptr<Data> m_data;
};

class _variant_t : public VARIANT {
public:
    _variant_t() noexcept;
    _variant_t(const VARIANT& src);
    _variant_t(const VARIANT* src);
    _variant_t(const _variant_t& src);
    _variant_t(_variant_t&& src) noexcept;
    _variant_t(VARIANT& src, bool fCopy);     // fCopy false: takes src over, leaving it empty
    _variant_t(short s, VARTYPE vt = VT_I2);  // VT_I2 or VT_BOOL
    _variant_t(int i, VARTYPE vt = VT_I4);    // VT_I4 or VT_INT
    _variant_t(long l, VARTYPE vt = VT_I4);   // VT_I4 (DISP_E_OVERFLOW beyond 32 bits)
    _variant_t(bool b) noexcept;
    _variant_t(const char* s);
    _variant_t(const OLECHAR* s);
    _variant_t(const _bstr_t& s);
    _variant_t(IDispatch* p, bool fAddRef = true) noexcept;
    _variant_t(IUnknown* p, bool fAddRef = true) noexcept;
    ~_variant_t();

    _variant_t& operator=(const _variant_t& src);
    _variant_t& operator=(_variant_t&& src) noexcept;
    _variant_t& operator=(const VARIANT& src);

    operator short() const;
    operator long() const;  // (for text, construct a _bstr_t from the variant)

    void Clear();
    void Attach(VARIANT& src);  // takes src over, leaving it empty
    VARIANT Detach() noexcept;  // gives up the value, leaving this empty
    VARIANT& GetVARIANT() noexcept { return *this; }
    VARIANT* GetAddress();  // clears and returns a slot for an [out] VARIANT
    void ChangeType(VARTYPE vt, const _variant_t* src = nullptr);
};

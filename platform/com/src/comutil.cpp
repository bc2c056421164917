// _bstr_t and _variant_t.

#include <cstring>
#include <limits>
#include <new>
#include <optional>

#include "platform/com/comutil.h"
#include "platform/com/textconv.h"

namespace {

BSTR allocOrThrow(const OLECHAR* pch, std::size_t cch) {
    if (cch > std::numeric_limits<UINT>::max() / sizeof(OLECHAR)) _com_issue_error(E_OUTOFMEMORY);
    BSTR s = SysAllocStringLen(pch, static_cast<UINT>(cch));
    if (s == nullptr) _com_issue_error(E_OUTOFMEMORY);
    return s;
}

BSTR duplicate(BSTR s) {
    if (s == nullptr) return nullptr;
    BSTR copy = SysAllocStringByteLen(reinterpret_cast<LPCSTR>(s), SysStringByteLen(s));
    if (copy == nullptr) _com_issue_error(E_OUTOFMEMORY);
    return copy;
}

std::u16string_view view(BSTR s) {
    return {s != nullptr ? s : u"", SysStringLen(s)};
}

}  // namespace

struct _bstr_t::Data {
    explicit Data(BSTR s) noexcept : wide(s) {}
    ~Data() { SysFreeString(wide); }
    Data(const Data&) = delete;
    Data& operator=(const Data&) = delete;

    BSTR wide;
    mutable std::optional<std::string> narrow;  // made on first request
};

_bstr_t::_bstr_t(const char* s) {
    if (s == nullptr) return;
    const std::u16string wide = Utf8ToUtf16(s);
    m_data = std::make_shared<Data>(allocOrThrow(wide.data(), wide.size()));
}

_bstr_t::_bstr_t(const OLECHAR* s) {
    if (s == nullptr) return;
    m_data = std::make_shared<Data>(allocOrThrow(s, std::char_traits<char16_t>::length(s)));
}

_bstr_t::_bstr_t(BSTR bstr, bool fCopy) {
    if (fCopy) {
        Assign(bstr);
    } else {
        Attach(bstr);
    }
}

_bstr_t::_bstr_t(const _variant_t& var) {
    if (var.vt == VT_BSTR) {
        Assign(var.bstrVal);
        return;
    }
    _variant_t text;
    if (HRESULT hr = VariantChangeType(&text, &var, 0, VT_BSTR); FAILED(hr)) _com_issue_error(hr);
    Attach(text.Detach().bstrVal);
}

_bstr_t& _bstr_t::operator=(const char* s) {
    return *this = _bstr_t(s);
}
_bstr_t& _bstr_t::operator=(const OLECHAR* s) {
    return *this = _bstr_t(s);
}

_bstr_t& _bstr_t::operator+=(const _bstr_t& s) {
    return *this = *this + s;
}

_bstr_t operator+(const _bstr_t& a, const _bstr_t& b) {
    if (!a && !b) return _bstr_t();
    std::u16string joined(view(a.m_data ? a.m_data->wide : nullptr));
    joined += view(b.m_data ? b.m_data->wide : nullptr);
    return _bstr_t(allocOrThrow(joined.data(), joined.size()), false);
}

_bstr_t::operator const OLECHAR*() const noexcept {
    return m_data ? m_data->wide : nullptr;
}
_bstr_t::operator OLECHAR*() const noexcept {
    return m_data ? m_data->wide : nullptr;
}

_bstr_t::operator const char*() const {
    if (!m_data || m_data->wide == nullptr) return nullptr;
    if (!m_data->narrow) m_data->narrow = Utf16ToUtf8(view(m_data->wide));
    return m_data->narrow->c_str();
}

_bstr_t::operator char*() const {
    return const_cast<char*>(static_cast<const char*>(*this));
}

bool _bstr_t::operator!() const noexcept {
    return !m_data || m_data->wide == nullptr;
}

bool operator==(const _bstr_t& a, const _bstr_t& b) noexcept {
    return view(a.m_data ? a.m_data->wide : nullptr) == view(b.m_data ? b.m_data->wide : nullptr);
}

bool operator==(const _bstr_t& a, const char* b) {
    return a == _bstr_t(b);
}

bool operator==(const _bstr_t& a, const OLECHAR* b) noexcept {
    return view(a.m_data ? a.m_data->wide : nullptr) == std::u16string_view(b != nullptr ? b : u"");
}

bool operator<(const _bstr_t& a, const _bstr_t& b) noexcept {
    return view(a.m_data ? a.m_data->wide : nullptr) < view(b.m_data ? b.m_data->wide : nullptr);
}

unsigned int _bstr_t::length() const noexcept {
    return m_data ? SysStringLen(m_data->wide) : 0;
}

BSTR _bstr_t::copy(bool fCopy) const {
    BSTR held = m_data ? m_data->wide : nullptr;
    return fCopy ? duplicate(held) : held;
}

void _bstr_t::Assign(BSTR s) {
    Attach(duplicate(s));
}

void _bstr_t::Attach(BSTR s) {
    m_data.reset();
    if (s != nullptr) {
        try {
            m_data = std::make_shared<Data>(s);
        } catch (const std::bad_alloc&) {
            SysFreeString(s);
            _com_issue_error(E_OUTOFMEMORY);
        }
    }
}

BSTR _bstr_t::Detach() {
    if (!m_data) return nullptr;
    BSTR result;
    if (m_data.use_count() == 1) {
        result = m_data->wide;
        m_data->wide = nullptr;
    } else {
        result = duplicate(m_data->wide);
    }
    m_data.reset();
    return result;
}

void _bstr_t::makeUnique() {
    if (!m_data) {
        m_data = std::make_shared<Data>(nullptr);
    } else if (m_data.use_count() > 1) {
        m_data = std::make_shared<Data>(duplicate(m_data->wide));
    }
    m_data->narrow.reset();  // the caller may change the string
}

BSTR& _bstr_t::GetBSTR() {
    makeUnique();
    return m_data->wide;
}

BSTR* _bstr_t::GetAddress() {
    m_data = std::make_shared<Data>(nullptr);
    return &m_data->wide;
}

// ---------------------------------------------------------------------------

_variant_t::_variant_t() noexcept {
    VariantInit(this);
}

_variant_t::_variant_t(const VARIANT& src) {
    VariantInit(this);
    if (HRESULT hr = VariantCopy(this, &src); FAILED(hr)) _com_issue_error(hr);
}

_variant_t::_variant_t(const VARIANT* src) {
    if (src == nullptr) _com_issue_error(E_POINTER);
    VariantInit(this);
    if (HRESULT hr = VariantCopy(this, src); FAILED(hr)) _com_issue_error(hr);
}

_variant_t::_variant_t(const _variant_t& src) : _variant_t(static_cast<const VARIANT&>(src)) {}

_variant_t::_variant_t(_variant_t&& src) noexcept : VARIANT(src) {
    VariantInit(&src);
}

_variant_t::_variant_t(VARIANT& src, bool fCopy) {
    VariantInit(this);
    if (fCopy) {
        if (HRESULT hr = VariantCopy(this, &src); FAILED(hr)) _com_issue_error(hr);
    } else {
        Attach(src);
    }
}

_variant_t::_variant_t(short s, VARTYPE vt) {
    VariantInit(this);
    if (vt == VT_I2) {
        iVal = s;
    } else if (vt == VT_BOOL) {
        boolVal = s != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
        _com_issue_error(E_INVALIDARG);
    }
    this->vt = vt;
}

_variant_t::_variant_t(int i, VARTYPE vt) {
    VariantInit(this);
    if (vt != VT_I4 && vt != VT_INT) _com_issue_error(E_INVALIDARG);
    intVal = i;
    this->vt = vt;
}

_variant_t::_variant_t(long l, VARTYPE vt) {
    VariantInit(this);
    if (vt != VT_I4) _com_issue_error(E_INVALIDARG);
    if (l < std::numeric_limits<LONG>::min() || l > std::numeric_limits<LONG>::max()) {
        _com_issue_error(DISP_E_OVERFLOW);
    }
    lVal = static_cast<LONG>(l);
    this->vt = VT_I4;
}

_variant_t::_variant_t(bool b) noexcept {
    VariantInit(this);
    vt = VT_BOOL;
    boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
}

_variant_t::_variant_t(const char* s) : _variant_t(_bstr_t(s)) {}
_variant_t::_variant_t(const OLECHAR* s) : _variant_t(_bstr_t(s)) {}

_variant_t::_variant_t(const _bstr_t& s) {
    VariantInit(this);
    bstrVal = s.copy();
    vt = VT_BSTR;
}

_variant_t::_variant_t(IDispatch* p, bool fAddRef) noexcept {
    VariantInit(this);
    vt = VT_DISPATCH;
    pdispVal = p;
    if (p != nullptr && fAddRef) p->AddRef();
}

_variant_t::_variant_t(IUnknown* p, bool fAddRef) noexcept {
    VariantInit(this);
    vt = VT_UNKNOWN;
    punkVal = p;
    if (p != nullptr && fAddRef) p->AddRef();
}

_variant_t::~_variant_t() {
    VariantClear(this);
}

_variant_t& _variant_t::operator=(const _variant_t& src) {
    return *this = static_cast<const VARIANT&>(src);
}

_variant_t& _variant_t::operator=(_variant_t&& src) noexcept {
    if (this != &src) {
        VariantClear(this);
        static_cast<VARIANT&>(*this) = src;
        VariantInit(&src);
    }
    return *this;
}

_variant_t& _variant_t::operator=(const VARIANT& src) {
    if (HRESULT hr = VariantCopy(this, &src); FAILED(hr)) _com_issue_error(hr);
    return *this;
}

_variant_t::operator short() const {
    if (vt == VT_I2) return iVal;
    _variant_t converted;
    converted.ChangeType(VT_I2, this);
    return converted.iVal;
}

_variant_t::operator long() const {
    if (vt == VT_I4) return lVal;
    _variant_t converted;
    converted.ChangeType(VT_I4, this);
    return converted.lVal;
}

void _variant_t::Clear() {
    if (HRESULT hr = VariantClear(this); FAILED(hr)) _com_issue_error(hr);
}

void _variant_t::Attach(VARIANT& src) {
    Clear();
    static_cast<VARIANT&>(*this) = src;
    VariantInit(&src);
}

VARIANT _variant_t::Detach() noexcept {
    VARIANT result = *this;
    VariantInit(this);
    return result;
}

VARIANT* _variant_t::GetAddress() {
    Clear();
    return this;
}

void _variant_t::ChangeType(VARTYPE vt, const _variant_t* src) {
    const VARIANT* from = src != nullptr ? src : this;
    if (HRESULT hr = VariantChangeType(this, from, 0, vt); FAILED(hr)) _com_issue_error(hr);
}

#pragma once
// _com_ptr_t: the smart interface pointer of the COM support. It owns one
// reference; operator-> and Release raise _com_error(E_POINTER) on a null
// pointer, as the platform's does (assign nullptr to let go unconditionally).
// Declare one per interface with _COM_SMARTPTR_TYPEDEF(IFoo, __uuidof(IFoo)),
// which names it IFooPtr.

#include <cstddef>
#include <memory>

#include "platform/com/comerror.h"
#include "platform/com/objbase.h"

template <class I, const IID* piid>
class _com_IIID {
public:
    typedef I Interface;
    static const IID& GetIID() noexcept { return *piid; }
};

template <class _IIID>
class _com_ptr_t {
public:
    typedef _IIID ThisIIID;
    typedef typename _IIID::Interface Interface;

    static const IID& GetIID() noexcept { return ThisIIID::GetIID(); }

    _com_ptr_t() noexcept = default;
    _com_ptr_t(Interface* p) noexcept : m_p(p) { addRef(); }
    _com_ptr_t(Interface* p, bool fAddRef) noexcept : m_p(p) {
        if (fAddRef) addRef();
    }
    _com_ptr_t(const _com_ptr_t& that) noexcept : m_p(that.m_p) { addRef(); }
    _com_ptr_t(_com_ptr_t&& that) noexcept : m_p(that.m_p) { that.m_p = nullptr; }
    // Asks the other pointer's object for this interface; null when it has none.
    template <class OtherIIID>
    _com_ptr_t(const _com_ptr_t<OtherIIID>& that) {
        if (IUnknown* other = that.GetInterfacePtr()) {
            HRESULT hr = other->QueryInterface(GetIID(), reinterpret_cast<void**>(&m_p));
            if (FAILED(hr) && hr != E_NOINTERFACE) _com_issue_error(hr);
        }
    }
    // Creates an object of class `clsid`; raises _com_error on failure.
    explicit _com_ptr_t(const CLSID& clsid, IUnknown* pOuter = nullptr,
                        DWORD dwClsContext = CLSCTX_ALL) {
        if (HRESULT hr = CreateInstance(clsid, pOuter, dwClsContext); FAILED(hr)) {
            _com_issue_error(hr);
        }
    }
    ~_com_ptr_t() { releaseHeld(); }

    _com_ptr_t& operator=(Interface* p) noexcept {
        if (p != m_p) {
            Interface* old = m_p;
            m_p = p;
            addRef();
            if (old != nullptr) old->Release();
        }
        return *this;
    }
    _com_ptr_t& operator=(const _com_ptr_t& that) noexcept { return *this = that.m_p; }
    _com_ptr_t& operator=(_com_ptr_t&& that) noexcept {
        if (this != std::addressof(that)) {
            releaseHeld();
            m_p = that.m_p;
            that.m_p = nullptr;
        }
        return *this;
    }

    // Releases what is held and creates a new object: asked for IUnknown, run and
    // then asked for this interface when the context names an out-of-process
    // server (as CLSCTX_ALL does), else asked for this interface at once.
    HRESULT CreateInstance(const CLSID& rclsid, IUnknown* pOuter = nullptr,
                           DWORD dwClsContext = CLSCTX_ALL) noexcept {
        releaseHeld();
        HRESULT hr;
        if (dwClsContext & (CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER)) {
            IUnknown* pUnknown = nullptr;
            hr = CoCreateInstance(rclsid, pOuter, dwClsContext, __uuidof(IUnknown),
                                  reinterpret_cast<void**>(&pUnknown));
            if (SUCCEEDED(hr)) {
                hr = OleRun(pUnknown);
                if (SUCCEEDED(hr)) {
                    hr = pUnknown->QueryInterface(GetIID(), reinterpret_cast<void**>(&m_p));
                }
                pUnknown->Release();
            }
        } else {
            hr = CoCreateInstance(rclsid, pOuter, dwClsContext, GetIID(),
                                  reinterpret_cast<void**>(&m_p));
        }
        if (FAILED(hr)) m_p = nullptr;
        return hr;
    }

    void Attach(Interface* p) noexcept {
        releaseHeld();
        m_p = p;
    }
    void Attach(Interface* p, bool fAddRef) noexcept {
        Attach(p);
        if (fAddRef) addRef();
    }
    Interface* Detach() noexcept {
        Interface* p = m_p;
        m_p = nullptr;
        return p;
    }
    void AddRef() {
        if (m_p == nullptr) _com_issue_error(E_POINTER);
        m_p->AddRef();
    }
    void Release() {
        if (m_p == nullptr) _com_issue_error(E_POINTER);
        m_p->Release();
        m_p = nullptr;
    }

    Interface* GetInterfacePtr() const noexcept { return m_p; }
    Interface*& GetInterfacePtr() noexcept { return m_p; }
    operator Interface*() const noexcept { return m_p; }
    explicit operator bool() const noexcept { return m_p != nullptr; }
    bool operator!() const noexcept { return m_p == nullptr; }
    Interface& operator*() const {
        if (m_p == nullptr) _com_issue_error(E_POINTER);
        return *m_p;
    }
    Interface* operator->() const {
        if (m_p == nullptr) _com_issue_error(E_POINTER);
        return m_p;
    }
    // Releases what is held and gives the slot for an [out] interface pointer.
    Interface** operator&() noexcept {
        releaseHeld();
        return &m_p;
    }

    template <class Q>
    HRESULT QueryInterface(const IID& iid, Q*& p) const noexcept {
        if (m_p == nullptr) return E_POINTER;
        return m_p->QueryInterface(iid, reinterpret_cast<void**>(&p));
    }

    friend bool operator==(const _com_ptr_t& a, std::nullptr_t) noexcept {
        return a.m_p == nullptr;
    }
    friend bool operator==(const _com_ptr_t& a, const _com_ptr_t& b) noexcept {
        return a.m_p == b.m_p;
    }

private:
    void addRef() noexcept {
        if (m_p != nullptr) m_p->AddRef();
    }
    void releaseHeld() noexcept {
        if (m_p != nullptr) {
            Interface* p = m_p;
            m_p = nullptr;
            p->Release();
        }
    }

    Interface* m_p = nullptr;
};

#define _COM_SMARTPTR_TYPEDEF(Interface, IID) \
    typedef _com_ptr_t<_com_IIID<Interface, &(IID)>> Interface##Ptr

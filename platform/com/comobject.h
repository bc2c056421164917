#pragma once
// ComObject: reference counting and QueryInterface for objects that implement
// COM interfaces. An implementation derives from ComObject<I1, I2, ...>, and is
// created with `new` holding one reference; the last Release deletes it.

#include <atomic>
#include <new>
#include <type_traits>

#include "platform/com/unknwn.h"

template <class First, class... Others>
class ComObject : public First, public Others... {
public:
    HRESULT QueryInterface(REFIID riid, void** ppv) override {
        if (ppv == nullptr) return E_POINTER;
        *ppv = nullptr;
        if (riid == __uuidof(IUnknown)) {
            *ppv = static_cast<IUnknown*>(static_cast<First*>(this));
        } else if (!(tryInterface<First>(riid, ppv) || (tryInterface<Others>(riid, ppv) || ...))) {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }

    ULONG AddRef() override { return ++m_refs; }

    ULONG Release() override {
        const ULONG left = --m_refs;
        if (left == 0) delete this;
        return left;
    }

protected:
    ComObject() = default;
    ~ComObject() override = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

private:
    template <class I>
    bool tryInterface(REFIID riid, void** ppv) {
        if (riid == __uuidof(I)) {
            *ppv = static_cast<I*>(this);
            return true;
        }
        if constexpr (std::is_base_of_v<IDispatch, I>) {
            if (riid == __uuidof(IDispatch)) {
                *ppv = static_cast<IDispatch*>(static_cast<I*>(this));
                return true;
            }
        }
        return false;
    }

    std::atomic<ULONG> m_refs{1};
};

// The creator for a class registry entry: a new Object asked for `riid`.
template <class Object>
HRESULT CreateComObject(REFIID riid, void** ppv) {
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    Object* object;
    try {
        object = new Object();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    const HRESULT hr = object->QueryInterface(riid, ppv);
    object->Release();
    return hr;
}

// CoInitialize/CoUninitialize bookkeeping, the class registry and CoCreateInstance.

#include <atomic>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/com/errorinfo.h"
#include "platform/com/objbase.h"
#include "platform/com/testing.h"

namespace {

struct ApartmentState {
    unsigned initCount = 0;
    DWORD model = COINIT_APARTMENTTHREADED;
};
thread_local ApartmentState t_apartment;

// One-shot failures set by tests; S_OK means none.
std::atomic<HRESULT> g_nextCoInitialize{S_OK};
std::atomic<HRESULT> g_nextCoCreateInstance{S_OK};

struct ClassRegistry {
    std::mutex mutex;
    std::vector<std::pair<CLSID, LPFNCREATEINSTANCE>> classes;
};

ClassRegistry& registry() {
    static ClassRegistry instance;
    return instance;
}

LPFNCREATEINSTANCE findClass(REFCLSID rclsid) {
    ClassRegistry& reg = registry();
    std::lock_guard lock(reg.mutex);
    for (const auto& [clsid, create] : reg.classes) {
        if (clsid == rclsid) return create;
    }
    return nullptr;
}

}  // namespace

HRESULT CoInitialize(LPVOID pvReserved) {
    return CoInitializeEx(pvReserved, COINIT_APARTMENTTHREADED);
}

HRESULT CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit) {
    if (pvReserved != nullptr) return E_INVALIDARG;
    if (HRESULT forced = g_nextCoInitialize.exchange(S_OK); FAILED(forced)) return forced;
    const DWORD model = dwCoInit & COINIT_APARTMENTTHREADED;
    if (t_apartment.initCount > 0) {
        if (t_apartment.model != model) return RPC_E_CHANGED_MODE;
        ++t_apartment.initCount;
        return S_FALSE;
    }
    t_apartment.model = model;
    t_apartment.initCount = 1;
    return S_OK;
}

void CoUninitialize() {
    if (t_apartment.initCount == 0) return;
    if (--t_apartment.initCount == 0) SetErrorInfo(0, nullptr);
}

HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid,
                         LPVOID* ppv) {
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if (HRESULT forced = g_nextCoCreateInstance.exchange(S_OK); FAILED(forced)) return forced;
    if (t_apartment.initCount == 0) return CO_E_NOTINITIALIZED;
    LPFNCREATEINSTANCE create = findClass(rclsid);
    if (create == nullptr || (dwClsContext & CLSCTX_INPROC_SERVER) == 0) return REGDB_E_CLASSNOTREG;
    if (pUnkOuter != nullptr) return CLASS_E_NOAGGREGATION;
    return create(riid, ppv);
}

HRESULT OleRun(LPUNKNOWN pUnknown) {
    return pUnknown == nullptr ? E_INVALIDARG : S_OK;
}

HRESULT CoRegisterInprocClass(REFCLSID rclsid, LPFNCREATEINSTANCE pfnCreate) {
    if (pfnCreate == nullptr) return E_INVALIDARG;
    ClassRegistry& reg = registry();
    std::lock_guard lock(reg.mutex);
    for (auto& entry : reg.classes) {
        if (entry.first == rclsid) {
            entry.second = pfnCreate;
            return S_OK;
        }
    }
    reg.classes.emplace_back(rclsid, pfnCreate);
    return S_OK;
}

HRESULT CoRevokeInprocClass(REFCLSID rclsid) {
    ClassRegistry& reg = registry();
    std::lock_guard lock(reg.mutex);
    const auto removed =
        std::erase_if(reg.classes, [&](const auto& entry) { return entry.first == rclsid; });
    return removed > 0 ? S_OK : S_FALSE;
}

namespace comtest {

void FailNextCoInitialize(HRESULT hr) {
    g_nextCoInitialize = hr;
}
void FailNextCoCreateInstance(HRESULT hr) {
    g_nextCoCreateInstance = hr;
}
void ResetFailures() {
    g_nextCoInitialize = S_OK;
    g_nextCoCreateInstance = S_OK;
}

}  // namespace comtest

#pragma once
// A small COM class for the tests: counts its live objects and can fail a call
// with error information.

#include <atomic>

#include "platform/com/comdef.h"
#include "platform/com/comobject.h"

struct ITestThing : IDispatch {
    virtual HRESULT Fail(HRESULT hr, const char* source, const char* description) = 0;
};
COM_DECLARE_UUID(ITestThing, "6A4C1E2B-0D1F-4B55-9C3E-2F0A7B9D1C01");
_COM_SMARTPTR_TYPEDEF(ITestThing, __uuidof(ITestThing));

// A second interface that no test object implements.
struct IOtherThing : IUnknown {};
COM_DECLARE_UUID(IOtherThing, "6A4C1E2B-0D1F-4B55-9C3E-2F0A7B9D1C02");

inline constexpr CLSID CLSID_TestThing = GuidFromString("6A4C1E2B-0D1F-4B55-9C3E-2F0A7B9D1C10");

class TestThing final : public ComObject<ITestThing, ISupportErrorInfo> {
public:
    static inline std::atomic<int> live{0};
    static inline IID lastCreationIid{};
    static inline bool supportsErrorInfo = true;

    TestThing() { ++live; }
    ~TestThing() override { --live; }

    HRESULT GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT Fail(HRESULT hr, const char* source, const char* description) override {
        return ReportComError(hr, __uuidof(ITestThing), source, description);
    }
    HRESULT InterfaceSupportsErrorInfo(REFIID riid) override {
        return supportsErrorInfo && riid == __uuidof(ITestThing) ? S_OK : S_FALSE;
    }

    static HRESULT Create(REFIID riid, void** ppv) {
        lastCreationIid = riid;
        auto* thing = new TestThing();
        HRESULT hr = thing->QueryInterface(riid, ppv);
        thing->Release();
        return hr;
    }
};

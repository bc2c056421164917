// CoInitialize bookkeeping, object creation through the class registry, and
// reference counting through _com_ptr_t.

#include <gtest/gtest.h>

#include <thread>

#include "TestThing.h"
#include "platform/com/testing.h"

namespace {

class ComApartment : public ::testing::Test {
protected:
    void SetUp() override {
        comtest::ResetFailures();
        CoRegisterInprocClass(CLSID_TestThing, &TestThing::Create);
        ASSERT_EQ(CoInitialize(nullptr), S_OK);
    }
    void TearDown() override {
        CoUninitialize();
        CoRevokeInprocClass(CLSID_TestThing);
        EXPECT_EQ(TestThing::live, 0) << "an object leaked or was freed twice";
    }
};

TEST_F(ComApartment, SecondInitializeOnThreadIsSFalseAndEachIsBalanced) {
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
    CoUninitialize();  // balances the S_FALSE; COM is still started
    ITestThingPtr thing;
    EXPECT_EQ(thing.CreateInstance(CLSID_TestThing), S_OK);
}

TEST_F(ComApartment, OtherThreadsStartOnTheirOwn) {
    HRESULT createdWithout = S_OK, firstInit = S_OK;
    std::thread([&] {
        ITestThingPtr thing;
        createdWithout = thing.CreateInstance(CLSID_TestThing);
        firstInit = CoInitialize(nullptr);
        CoUninitialize();
    }).join();
    EXPECT_EQ(createdWithout, CO_E_NOTINITIALIZED);
    EXPECT_EQ(firstInit, S_OK);
}

TEST_F(ComApartment, HooksMakeTheNextCallFailOnce) {
    CoUninitialize();
    comtest::FailNextCoInitialize(E_OUTOFMEMORY);
    EXPECT_EQ(CoInitialize(nullptr), E_OUTOFMEMORY);
    EXPECT_EQ(CoInitialize(nullptr), S_OK) << "the failed call must not have started COM";

    comtest::FailNextCoCreateInstance(E_ACCESSDENIED);
    ITestThingPtr thing;
    EXPECT_EQ(thing.CreateInstance(CLSID_TestThing), E_ACCESSDENIED);
    EXPECT_FALSE(thing);
    EXPECT_EQ(thing.CreateInstance(CLSID_TestThing), S_OK);
}

TEST_F(ComApartment, CreationFailures) {
    ITestThingPtr thing;
    const CLSID unknown = GuidFromString("6A4C1E2B-0D1F-4B55-9C3E-2F0A7B9D1CFF");
    EXPECT_EQ(thing.CreateInstance(unknown), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(thing.CreateInstance(CLSID_TestThing, nullptr, CLSCTX_LOCAL_SERVER),
              REGDB_E_CLASSNOTREG);
    ITestThingPtr outer;
    ASSERT_EQ(outer.CreateInstance(CLSID_TestThing), S_OK);
    EXPECT_EQ(thing.CreateInstance(CLSID_TestThing, outer, CLSCTX_ALL), CLASS_E_NOAGGREGATION);
    EXPECT_FALSE(thing);

    IOtherThing* other = reinterpret_cast<IOtherThing*>(1);
    EXPECT_EQ(CoCreateInstance(CLSID_TestThing, nullptr, CLSCTX_ALL, __uuidof(IOtherThing),
                               reinterpret_cast<void**>(&other)),
              E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    try {
        ITestThingPtr failing(unknown);
        ADD_FAILURE() << "constructing from an unregistered class must raise";
    } catch (const _com_error& e) {
        EXPECT_EQ(e.Error(), REGDB_E_CLASSNOTREG);
    }
}

TEST_F(ComApartment, CreateInstanceWithAllContextsAsksForIUnknownFirst) {
    ITestThingPtr thing;
    ASSERT_EQ(thing.CreateInstance(CLSID_TestThing, nullptr, CLSCTX_ALL), S_OK);
    EXPECT_EQ(TestThing::lastCreationIid, IID_IUnknown);
    ASSERT_EQ(thing.CreateInstance(CLSID_TestThing, nullptr, CLSCTX_INPROC_SERVER), S_OK);
    EXPECT_EQ(TestThing::lastCreationIid, __uuidof(ITestThing));
    EXPECT_EQ(TestThing::live, 1) << "CreateInstance releases what the pointer held";
}

TEST_F(ComApartment, SmartPointerCountsReferences) {
    ITestThingPtr first;
    ASSERT_EQ(first.CreateInstance(CLSID_TestThing), S_OK);
    ITestThing* raw = first;
    {
        ITestThingPtr copy = first;
        EXPECT_EQ(raw->AddRef(), 3u);
        EXPECT_EQ(raw->Release(), 2u);
        IDispatchPtr asDispatch(first);  // QueryInterface through the other pointer type
        ASSERT_TRUE(asDispatch);
        EXPECT_EQ(raw->AddRef(), 4u);
        raw->Release();
    }
    EXPECT_EQ(raw->AddRef(), 2u);
    raw->Release();

    ITestThing* detached = first.Detach();
    EXPECT_FALSE(first);
    first.Attach(detached);  // takes the reference back without adding one
    EXPECT_EQ(TestThing::live, 1);

    IUnknownPtr identity1(first);
    IUnknownPtr identity2{IDispatchPtr(first)};
    EXPECT_EQ(identity1.GetInterfacePtr(), identity2.GetInterfacePtr());

    first = nullptr;
    identity1 = nullptr;
    identity2 = nullptr;
    EXPECT_EQ(TestThing::live, 0);
}

TEST_F(ComApartment, NullSmartPointerRaisesEPointer) {
    ITestThingPtr none;
    try {
        none->Fail(E_FAIL, "", "");
        ADD_FAILURE();
    } catch (const _com_error& e) {
        EXPECT_EQ(e.Error(), E_POINTER);
    }
    EXPECT_THROW(none.Release(), _com_error);
    EXPECT_TRUE(none == nullptr);
}

}  // namespace

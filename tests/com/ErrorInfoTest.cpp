// _com_error with and without error information, and how _com_issue_errorex
// picks the thread's error information up.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "TestThing.h"

namespace {

class ComErrors : public ::testing::Test {
protected:
    void SetUp() override {
        TestThing::supportsErrorInfo = true;
        thing.Attach(new TestThing());
    }
    void TearDown() override {
        thing = nullptr;
        SetErrorInfo(0, nullptr);
        EXPECT_EQ(TestThing::live, 0);
    }

    // Calls Fail on the object and raises its result the way the wrappers do.
    _com_error failThrough(IUnknown* reporter) {
        HRESULT hr = thing->Fail(E_FAIL, "Thing source", "Thing went wrong");
        try {
            _com_issue_errorex(hr, reporter, __uuidof(ITestThing));
        } catch (const _com_error& e) {
            return e;
        }
        return _com_error(S_OK);
    }

    ITestThingPtr thing;
};

TEST_F(ComErrors, WithoutErrorInformationSourceAndDescriptionAreNull) {
    try {
        _com_issue_error(E_FAIL);
        FAIL();
    } catch (const _com_error& e) {
        EXPECT_EQ(e.Error(), E_FAIL);
        EXPECT_TRUE(!e.Source());
        EXPECT_TRUE(!e.Description());
        EXPECT_EQ(static_cast<const char*>(e.Source()), nullptr);
        EXPECT_EQ(e.ErrorInfo(), nullptr);
        // The way a report prints a missing text.
        char text[64];
        std::snprintf(text, sizeof text, "%s|%s", static_cast<const char*>(e.Source()),
                      static_cast<const char*>(e.Description()));
        EXPECT_STREQ(text, "(null)|(null)");
    }
}

TEST_F(ComErrors, ObjectThatSupportsErrorInfoHandsItOver) {
    _com_error e = failThrough(thing);
    EXPECT_EQ(e.Error(), E_FAIL);
    EXPECT_STREQ(static_cast<const char*>(e.Source()), "Thing source");
    EXPECT_STREQ(static_cast<const char*>(e.Description()), "Thing went wrong");
    IErrorInfo* left = nullptr;
    EXPECT_EQ(GetErrorInfo(0, &left), S_FALSE) << "the information was taken off the thread";

    _com_error copy = e;  // copies share the information
    EXPECT_STREQ(static_cast<const char*>(copy.Description()), "Thing went wrong");
}

TEST_F(ComErrors, InformationIsIgnoredWhenTheObjectDoesNotSupplyIt) {
    TestThing::supportsErrorInfo = false;
    _com_error e = failThrough(thing);
    EXPECT_TRUE(!e.Source());
    EXPECT_TRUE(!e.Description());

    _com_error fromNull = failThrough(nullptr);
    EXPECT_TRUE(!fromNull.Description());
}

TEST(ComErrorMessage, DescribesTheHresultItself) {
    EXPECT_STREQ(_com_error(E_FAIL).ErrorMessage(), "Unspecified error.");
    EXPECT_STREQ(_com_error(static_cast<HRESULT>(0x80040E4Du)).ErrorMessage(),
                 "IDispatch error #3149");
    EXPECT_STREQ(_com_error(static_cast<HRESULT>(0x800A0BD5u)).ErrorMessage(),
                 "Unknown error 0x800A0BD5");
    EXPECT_EQ(_com_error::WCodeToHRESULT(3149), static_cast<HRESULT>(0x80040E4Du));
}

TEST(ErrorInfoSlot, IsPerThreadAndTakenOnce) {
    ReportComError(E_FAIL, IID_IUnknown, "main", "on the main thread");
    IErrorInfo* other = reinterpret_cast<IErrorInfo*>(1);
    std::thread([&] { GetErrorInfo(0, &other); }).join();
    EXPECT_EQ(other, nullptr);

    IErrorInfo* info = nullptr;
    ASSERT_EQ(GetErrorInfo(0, &info), S_OK);
    BSTR description = nullptr;
    ASSERT_EQ(info->GetDescription(&description), S_OK);
    EXPECT_EQ(std::u16string(description), u"on the main thread");
    SysFreeString(description);
    info->Release();
    EXPECT_EQ(GetErrorInfo(0, &info), S_FALSE);
}

}  // namespace

// The application object ends COM from its destructor at process exit, after
// the main thread's thread-local objects are gone; error information still
// pending then must be released once, not touched after it was freed.
TEST(ErrorInfoSlot, ComEndedByAGlobalDestructorAfterThreadLocalsAreGone) {
    EXPECT_EXIT(
        {
            struct EndsComAtExit {
                ~EndsComAtExit() { CoUninitialize(); }
            };
            static EndsComAtExit endsCom;
            CoInitialize(nullptr);
            ReportComError(E_FAIL, __uuidof(ITestThing), "Source", "Pending at exit");
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

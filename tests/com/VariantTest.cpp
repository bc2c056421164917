// VARIANT ownership and conversions through _variant_t.

#include <gtest/gtest.h>

#include "TestThing.h"

namespace {

TEST(VariantT, HoldsTheKindItWasMadeFrom) {
    _variant_t index(static_cast<short>(2));
    EXPECT_EQ(index.vt, VT_I2);
    EXPECT_EQ(index.iVal, 2);
    EXPECT_EQ(_variant_t(7).vt, VT_I4);
    EXPECT_EQ(_variant_t(7L).vt, VT_I4);
    EXPECT_EQ(_variant_t(true).boolVal, VARIANT_TRUE);
    _variant_t text("Gr\xC3\xBC\xC3\x9F");
    ASSERT_EQ(text.vt, VT_BSTR);
    EXPECT_EQ(std::u16string(text.bstrVal), u"Gr\u00FC\u00DF");
    EXPECT_EQ(_variant_t().vt, VT_EMPTY);
    EXPECT_THROW(_variant_t(1L << 40), _com_error);
}

TEST(VariantT, OwnsOneReferenceOfAnObject) {
    ITestThingPtr thing;
    thing.Attach(new TestThing());
    {
        _variant_t holder(static_cast<IDispatch*>(thing));
        EXPECT_EQ(holder.vt, VT_DISPATCH);
        EXPECT_EQ(thing->AddRef(), 3u);
        thing->Release();
        _variant_t copy = holder;
        EXPECT_EQ(thing->AddRef(), 4u);
        thing->Release();
        copy.Clear();
        EXPECT_EQ(copy.vt, VT_EMPTY);
    }
    EXPECT_EQ(thing->AddRef(), 2u);
    thing->Release();
    thing = nullptr;
    EXPECT_EQ(TestThing::live, 0);
}

TEST(VariantT, CopyKeepsNarrowTextBytesExactly) {
    VARIANT narrow;
    VariantInit(&narrow);
    narrow.vt = VT_BSTR;
    narrow.bstrVal = SysAllocStringByteLen("abc", 3);
    _variant_t copy(narrow);
    EXPECT_EQ(SysStringByteLen(copy.bstrVal), 3u);
    EXPECT_STREQ(reinterpret_cast<const char*>(copy.bstrVal), "abc");
    EXPECT_EQ(VariantClear(&narrow), S_OK);
    EXPECT_EQ(narrow.vt, VT_EMPTY);
}

TEST(VariantT, ConvertsBetweenNumbersAndText) {
    EXPECT_EQ(static_cast<short>(_variant_t(" 42 ")), 42);
    EXPECT_EQ(static_cast<long>(_variant_t(static_cast<short>(-3))), -3);
    EXPECT_STREQ(static_cast<const char*>(_bstr_t(_variant_t(-1234))), "-1234");

    struct Bad {
        const char* text;
        HRESULT hr;
    };
    for (const Bad& bad : {Bad{"70000", DISP_E_OVERFLOW}, Bad{"x", DISP_E_TYPEMISMATCH},
                           Bad{"", DISP_E_TYPEMISMATCH}, Bad{"1 2", DISP_E_TYPEMISMATCH}}) {
        try {
            static_cast<void>(static_cast<short>(_variant_t(bad.text)));
            ADD_FAILURE() << bad.text;
        } catch (const _com_error& e) {
            EXPECT_EQ(e.Error(), bad.hr) << bad.text;
        }
    }
    _variant_t object(static_cast<IDispatch*>(nullptr));
    EXPECT_THROW(static_cast<void>(static_cast<long>(object)), _com_error);
}

}  // namespace

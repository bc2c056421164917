// BSTR layout, UTF-8 <-> UTF-16 conversion and _bstr_t.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/com/comdef.h"

namespace {

TEST(Bstr, CarriesItsByteLengthBeforeTheText) {
    BSTR s = SysAllocString(u"abc");
    ASSERT_NE(s, nullptr);
    std::uint32_t prefix = 0;
    std::memcpy(&prefix, reinterpret_cast<const char*>(s) - 4, 4);
    EXPECT_EQ(prefix, 6u);
    EXPECT_EQ(SysStringLen(s), 3u);
    EXPECT_EQ(s[3], 0);
    SysFreeString(s);

    BSTR bytes = SysAllocStringByteLen("odd", 3);  // narrow text in a BSTR
    EXPECT_EQ(SysStringByteLen(bytes), 3u);
    EXPECT_STREQ(reinterpret_cast<const char*>(bytes), "odd");
    SysFreeString(bytes);

    BSTR embedded = SysAllocStringLen(u"a\0b", 3);
    EXPECT_EQ(SysStringLen(embedded), 3u);
    SysFreeString(embedded);

    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    SysFreeString(nullptr);
}

struct RoundTrip {
    const char* utf8;
    std::u16string utf16;
};

TEST(TextConversion, RoundTripsValidText) {
    const RoundTrip cases[] = {
        {"", u""},
        {"Admin", u"Admin"},
        {"Gr\xC3\xBC\xC3\x9F"
         "e",
         u"Gr\u00FC\u00DFe"},
        {"\xE6\x97\xA5\xE6\x9C\xAC", u"\u65E5\u672C"},
        {"\xF0\x9F\x94\x91 key", u"\U0001F511 key"},
        {"\xEF\xBF\xBF", u"\uFFFF"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToUtf16(c.utf8), c.utf16) << c.utf8;
        EXPECT_EQ(Utf16ToUtf8(c.utf16), c.utf8) << c.utf8;
    }
}

TEST(TextConversion, ReplacesMalformedInputInsteadOfFailing) {
    const RoundTrip cases[] = {
        {"a\xC3", u"a\uFFFD"},                              // cut short at the end
        {"\xC3(", u"\uFFFD("},                              // bad continuation is kept
        {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // overlong
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},            // encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
        {"\xE6\x97x", u"\uFFFDx"},                          // one replacement per broken sequence
        {"\xFF", u"\uFFFD"},
    };
    for (const auto& c : cases) EXPECT_EQ(Utf8ToUtf16(c.utf8), c.utf16) << c.utf8;

    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t{0xD800})), "\xEF\xBF\xBD");
    EXPECT_EQ(Utf16ToUtf8(u"x" + std::u16string(1, char16_t{0xDC00}) + u"y"), "x\xEF\xBF\xBDy");
}

TEST(BstrT, ConvertsNarrowTextBothWays) {
    const char* narrow = "Fran\xC3\xA7oise \xE2\x82\xAC";
    _bstr_t text(narrow);
    EXPECT_EQ(text.length(), 11u);
    EXPECT_EQ(std::u16string(static_cast<const OLECHAR*>(text)), u"Fran\u00E7oise \u20AC");
    EXPECT_STREQ(static_cast<const char*>(text), narrow);

    _bstr_t fromWide(u"\u00C5sa");
    EXPECT_STREQ(static_cast<const char*>(fromWide), "\xC3\x85sa");
    EXPECT_TRUE(fromWide == "\xC3\x85sa");
    EXPECT_FALSE(fromWide == "\xC3\x85SA");
}

TEST(BstrT, NullIsDistinctFromEmptyButEqualToIt) {
    _bstr_t none;
    _bstr_t empty("");
    EXPECT_TRUE(!none);
    EXPECT_FALSE(!empty);
    EXPECT_EQ(static_cast<const char*>(none), nullptr);
    EXPECT_STREQ(static_cast<const char*>(empty), "");
    EXPECT_TRUE(none == empty);
    EXPECT_EQ(_bstr_t(static_cast<const char*>(nullptr)).length(), 0u);
}

TEST(BstrT, CopiesShareAndDetachNeverStealsASharedString) {
    _bstr_t a("shared");
    _bstr_t b = a;
    EXPECT_EQ(static_cast<const OLECHAR*>(a), static_cast<const OLECHAR*>(b));
    BSTR taken = b.Detach();
    EXPECT_TRUE(!b);
    EXPECT_NE(taken, static_cast<const OLECHAR*>(a));
    EXPECT_STREQ(static_cast<const char*>(a), "shared");
    SysFreeString(taken);

    _bstr_t sum = _bstr_t("left ") + a;
    sum += "!";
    EXPECT_STREQ(static_cast<const char*>(sum), "left shared!");
    EXPECT_STREQ(static_cast<const char*>(a), "shared");

    _bstr_t owner;
    *owner.GetAddress() = SysAllocString(u"out param");
    EXPECT_STREQ(static_cast<const char*>(owner), "out param");
    BSTR copy = owner.copy();
    EXPECT_NE(copy, static_cast<const OLECHAR*>(owner));
    SysFreeString(copy);
}

}  // namespace

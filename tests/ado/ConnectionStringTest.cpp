// The OLE DB connection string rules, as a table.

#include <gtest/gtest.h>

#include "platform/ado/connectionstring.h"

namespace {

using ado::ConnectionString;

struct Case {
    const char* text;
    const char* key;
    const char* expected;
};

TEST(ConnectionString, ReadsValues) {
    const Case cases[] = {
        {"data source='/d/main.mdb';jet oledb:system database='/d/secure.mdw';", "data source",
         "/d/main.mdb"},
        {"data source='/d/main.mdb';jet oledb:system database='/d/secure.mdw';",
         "Jet OLEDB:System Database", "/d/secure.mdw"},
        {"  Data Source = \"a b.mdb\" ; PROVIDER=Microsoft.Jet.OLEDB.4.0", "data source",
         "a b.mdb"},
        {"DATA SOURCE=x;provider = Microsoft.Jet.OLEDB.4.0 ", "Provider",
         "Microsoft.Jet.OLEDB.4.0"},
        {"data source='/d/O''Brien''s.mdb';", "data source", "/d/O'Brien's.mdb"},
        {"data source=\"say \"\"hi\"\"\"", "data source", "say \"hi\""},
        {"data source=\"it's\"", "data source", "it's"},
        {"data source=  plain value  ;", "data source", "plain value"},
        {"data source=O'Brien.mdb", "data source", "O'Brien.mdb"},
        {"data source='a;b=c'", "data source", "a;b=c"},
        {"data source=1;data source=2", "data source", "2"},
        {";; data source=x ;;", "data source", "x"},
        {"odd==key=v", "odd=key", "v"},
        {"data source=", "data source", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const ConnectionString pairs = ConnectionString::parse(c.text);
        ASSERT_TRUE(pairs.value(c.key).has_value());
        EXPECT_EQ(*pairs.value(c.key), c.expected);
    }
    EXPECT_FALSE(ConnectionString::parse("data source=x").value("user id"));
    EXPECT_EQ(ConnectionString::parse("  ;  ").size(), 0u);
}

TEST(ConnectionString, RefusesMalformedText) {
    const char* cases[] = {
        "data source='/d/O'Brien.mdb';",  // a quote inside a quoted value, not doubled
        "data source='unterminated",     "data source=\"x\" trailing", "no equals sign", "=value",
        "  =value;data source=x",        "data source=x;dangling",
    };
    for (const char* text : cases) {
        EXPECT_THROW(ConnectionString::parse(text), ado::ConnectionStringError) << text;
    }
}

}  // namespace

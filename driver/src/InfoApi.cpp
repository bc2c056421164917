// SQLGetInfo: what the driver and its data source support.

#include <sql.h>
#include <sqlext.h>

#include <optional>
#include <string>
#include <variant>

#include "Call.h"
#include "Connection.h"
#include "Text.h"

using namespace talveron::odbc;

namespace {

// An information value: text, a 16-bit number or a 32-bit number, as ODBC
// defines it for each information type.
using InfoValue = std::variant<std::string, SQLUSMALLINT, SQLUINTEGER>;

std::optional<InfoValue> staticInfo(SQLUSMALLINT type) {
    switch (type) {
        case SQL_DRIVER_NAME:
            return std::string("libtalveronodbc.so");
        case SQL_DRIVER_VER:
        case SQL_DBMS_VER:
            return std::string("12.00.0000");
        case SQL_DRIVER_ODBC_VER:
            return std::string("03.00");
        case SQL_DBMS_NAME:
            return std::string("TALVERON");
        case SQL_XOPEN_CLI_YEAR:
            return std::string("1995");
        case SQL_IDENTIFIER_QUOTE_CHAR:
            return std::string("\"");
        case SQL_SEARCH_PATTERN_ESCAPE:
            return std::string("\\");
        case SQL_TABLE_TERM:
            return std::string("table");
        case SQL_ACCESSIBLE_TABLES:
        case SQL_COLUMN_ALIAS:
        case SQL_EXPRESSIONS_IN_ORDERBY:
        case SQL_LIKE_ESCAPE_CLAUSE:
        case SQL_MAX_ROW_SIZE_INCLUDES_LONG:
        case SQL_OUTER_JOINS:
            return std::string("Y");
        case SQL_ACCESSIBLE_PROCEDURES:
        case SQL_CATALOG_NAME:
        case SQL_DESCRIBE_PARAMETER:
        case SQL_INTEGRITY:
        case SQL_MULT_RESULT_SETS:
        case SQL_MULTIPLE_ACTIVE_TXN:
        case SQL_NEED_LONG_DATA_LEN:
        case SQL_ORDER_BY_COLUMNS_IN_SELECT:
        case SQL_PROCEDURES:
        case SQL_ROW_UPDATES:
            return std::string("N");
        case SQL_CATALOG_NAME_SEPARATOR:
        case SQL_CATALOG_TERM:
        case SQL_COLLATION_SEQ:
        case SQL_KEYWORDS:
        case SQL_PROCEDURE_TERM:
        case SQL_SCHEMA_TERM:
        case SQL_SPECIAL_CHARACTERS:
            return std::string();

        case SQL_ACTIVE_ENVIRONMENTS:
        case SQL_MAX_CONCURRENT_ACTIVITIES:  // results are read whole: no limit
        case SQL_MAX_DRIVER_CONNECTIONS:
        case SQL_MAX_COLUMN_NAME_LEN:
        case SQL_MAX_COLUMNS_IN_SELECT:
        case SQL_MAX_CURSOR_NAME_LEN:
        case SQL_MAX_SCHEMA_NAME_LEN:
        case SQL_MAX_CATALOG_NAME_LEN:
        case SQL_MAX_TABLE_NAME_LEN:
        case SQL_MAX_IDENTIFIER_LEN:
            return SQLUSMALLINT{0};
        case SQL_CURSOR_COMMIT_BEHAVIOR:
        case SQL_CURSOR_ROLLBACK_BEHAVIOR:
            return SQLUSMALLINT{SQL_CB_PRESERVE};
        case SQL_TXN_CAPABLE:
            return SQLUSMALLINT{SQL_TC_NONE};
        case SQL_ODBC_API_CONFORMANCE:
            return SQLUSMALLINT{SQL_OAC_NONE};
        case SQL_ODBC_SQL_CONFORMANCE:
            return SQLUSMALLINT{SQL_OSC_MINIMUM};
        case SQL_IDENTIFIER_CASE:
        case SQL_QUOTED_IDENTIFIER_CASE:
            return SQLUSMALLINT{SQL_IC_MIXED};
        case SQL_NULL_COLLATION:
            return SQLUSMALLINT{SQL_NC_LOW};
        case SQL_CONCAT_NULL_BEHAVIOR:
            return SQLUSMALLINT{SQL_CB_NULL};
        case SQL_CORRELATION_NAME:
            return SQLUSMALLINT{SQL_CN_ANY};
        case SQL_NON_NULLABLE_COLUMNS:
            return SQLUSMALLINT{SQL_NNC_NON_NULL};
        case SQL_FILE_USAGE:
            return SQLUSMALLINT{SQL_FILE_NOT_SUPPORTED};
        case SQL_GROUP_BY:
            return SQLUSMALLINT{SQL_GB_GROUP_BY_CONTAINS_SELECT};

        case SQL_GETDATA_EXTENSIONS:
            return SQLUINTEGER{SQL_GD_ANY_COLUMN | SQL_GD_ANY_ORDER | SQL_GD_BOUND};
        case SQL_SCROLL_OPTIONS:
            return SQLUINTEGER{SQL_SO_FORWARD_ONLY};
        case SQL_SCROLL_CONCURRENCY:
            return SQLUINTEGER{SQL_SCCO_READ_ONLY};
        case SQL_FETCH_DIRECTION:
            return SQLUINTEGER{SQL_FD_FETCH_NEXT};
        case SQL_FORWARD_ONLY_CURSOR_ATTRIBUTES1:
            return SQLUINTEGER{SQL_CA1_NEXT};
        case SQL_FORWARD_ONLY_CURSOR_ATTRIBUTES2:
            return SQLUINTEGER{SQL_CA2_READ_ONLY_CONCURRENCY};
        case SQL_CURSOR_SENSITIVITY:
            return SQLUINTEGER{SQL_INSENSITIVE};
        case SQL_ASYNC_MODE:
            return SQLUINTEGER{SQL_AM_NONE};
        case SQL_ODBC_INTERFACE_CONFORMANCE:
            return SQLUINTEGER{SQL_OIC_CORE};
        case SQL_SQL_CONFORMANCE:
            return SQLUINTEGER{SQL_SC_SQL92_ENTRY};
        case SQL_OJ_CAPABILITIES:
            return SQLUINTEGER{SQL_OJ_LEFT | SQL_OJ_NOT_ORDERED | SQL_OJ_ALL_COMPARISON_OPS};
        case SQL_UNION:
            return SQLUINTEGER{SQL_U_UNION | SQL_U_UNION_ALL};
        case SQL_PARAM_ARRAY_ROW_COUNTS:
            return SQLUINTEGER{SQL_PARC_NO_BATCH};
        case SQL_PARAM_ARRAY_SELECTS:
            return SQLUINTEGER{SQL_PAS_NO_SELECT};
        case SQL_STATIC_CURSOR_ATTRIBUTES1:
        case SQL_STATIC_CURSOR_ATTRIBUTES2:
        case SQL_DYNAMIC_CURSOR_ATTRIBUTES1:
        case SQL_DYNAMIC_CURSOR_ATTRIBUTES2:
        case SQL_KEYSET_CURSOR_ATTRIBUTES1:
        case SQL_KEYSET_CURSOR_ATTRIBUTES2:
        case SQL_STATIC_SENSITIVITY:
        case SQL_POS_OPERATIONS:
        case SQL_POSITIONED_STATEMENTS:
        case SQL_LOCK_TYPES:
        case SQL_BOOKMARK_PERSISTENCE:
        case SQL_BATCH_SUPPORT:
        case SQL_BATCH_ROW_COUNT:
        case SQL_DEFAULT_TXN_ISOLATION:
        case SQL_TXN_ISOLATION_OPTION:
        case SQL_MAX_ASYNC_CONCURRENT_STATEMENTS:
        case SQL_MAX_ROW_SIZE:
        case SQL_MAX_STATEMENT_LEN:
        case SQL_CONVERT_FUNCTIONS:
        case SQL_NUMERIC_FUNCTIONS:
        case SQL_STRING_FUNCTIONS:
        case SQL_SYSTEM_FUNCTIONS:
        case SQL_TIMEDATE_FUNCTIONS:
            return SQLUINTEGER{0};
        default:
            return std::nullopt;
    }
}

// Values that describe the open session; empty text while not connected.
std::optional<InfoValue> sessionInfo(Connection& connection, SQLUSMALLINT type) {
    const bool connected = connection.connected();
    switch (type) {
        case SQL_DATA_SOURCE_NAME:
            return connection.dataSourceName();
        case SQL_SERVER_NAME:
            return std::string();
        case SQL_DATABASE_NAME:
            return connected ? connection.database().path().string() : std::string();
        case SQL_USER_NAME:
            return connected ? connection.database().user() : std::string();
        case SQL_DATA_SOURCE_READ_ONLY:
            return std::string(connected && connection.database().readOnly() ? "Y" : "N");
        default:
            return staticInfo(type);
    }
}

}  // namespace

SQLRETURN SQL_API SQLGetInfo(SQLHDBC ConnectionHandle, SQLUSMALLINT InfoType, SQLPOINTER InfoValue,
                             SQLSMALLINT BufferLength, SQLSMALLINT* StringLength) {
    return callOn<Connection>(ConnectionHandle, [&](Connection& connection) -> SQLRETURN {
        const std::optional<::InfoValue> info = sessionInfo(connection, InfoType);
        if (!info) {
            throw DriverError("HY096",
                              "Information type out of range: " + std::to_string(InfoType) + ".");
        }
        if (const auto* text = std::get_if<std::string>(&*info)) {
            return writeText(connection.diagnostics(), *text, InfoValue, BufferLength,
                             StringLength);
        }
        if (const auto* small = std::get_if<SQLUSMALLINT>(&*info)) {
            return writeValue(*small, InfoValue, StringLength);
        }
        return writeValue(std::get<SQLUINTEGER>(*info), InfoValue, StringLength);
    });
}

// Entry points that open and close connections and set their attributes.

#include <sql.h>
#include <sqlext.h>

#include <cstdint>
#include <string>

#include "Call.h"
#include "ConnectString.h"
#include "Connection.h"
#include "Environment.h"
#include "Keywords.h"
#include "Session.h"
#include "Text.h"

using namespace talveron::odbc;

namespace {

void refuseOpenConnection(const Connection& connection) {
    if (connection.connected()) {
        throw DriverError("08002", "The connection is already open.");
    }
}

std::string smallText(const SQLCHAR* text, SQLSMALLINT length) {
    return inputText(text, length);
}

SQLUINTEGER numberOf(SQLPOINTER value) {
    return static_cast<SQLUINTEGER>(reinterpret_cast<std::uintptr_t>(value));
}

}  // namespace

SQLRETURN SQL_API SQLConnect(SQLHDBC ConnectionHandle, SQLCHAR* ServerName, SQLSMALLINT NameLength1,
                             SQLCHAR* UserName, SQLSMALLINT NameLength2, SQLCHAR* Authentication,
                             SQLSMALLINT NameLength3) {
    return callOn<Connection>(ConnectionHandle, [&](Connection& connection) -> SQLRETURN {
        refuseOpenConnection(connection);
        ConnectAttributes requested;
        requested.set(keyword::kDataSource, smallText(ServerName, NameLength1));
        // A user name given here replaces the data source's account and password;
        // without one, the data source's own account is used.
        const std::string user = smallText(UserName, NameLength2);
        const std::string password = smallText(Authentication, NameLength3);
        if (!user.empty()) {
            requested.set(keyword::kUserId, user);
            requested.set(keyword::kPassword, password);
        } else if (!password.empty()) {
            requested.set(keyword::kPassword, password);
        }
        OpenedSession session = openSession(requested, connection.options);
        connection.attach(std::move(session.database), std::move(session.dataSourceName));
        return SQL_SUCCESS;
    });
}

SQLRETURN SQL_API SQLDriverConnect(SQLHDBC hdbc, SQLHWND /*hwnd*/, SQLCHAR* szConnStrIn,
                                   SQLSMALLINT cbConnStrIn, SQLCHAR* szConnStrOut,
                                   SQLSMALLINT cbConnStrOutMax, SQLSMALLINT* pcbConnStrOut,
                                   SQLUSMALLINT fDriverCompletion) {
    return callOn<Connection>(hdbc, [&](Connection& connection) -> SQLRETURN {
        refuseOpenConnection(connection);
        switch (fDriverCompletion) {
            case SQL_DRIVER_NOPROMPT:
            case SQL_DRIVER_COMPLETE:
            case SQL_DRIVER_PROMPT:
            case SQL_DRIVER_COMPLETE_REQUIRED:
                break;  // the driver has no dialog: what is missing is reported
            default:
                throw DriverError("HY110", "Invalid driver completion.");
        }
        checkBufferLength(cbConnStrOutMax);
        const ConnectAttributes requested =
            ConnectAttributes::parse(smallText(szConnStrIn, cbConnStrIn));
        OpenedSession session = openSession(requested, connection.options);
        connection.attach(std::move(session.database), std::move(session.dataSourceName));
        return writeText(connection.diagnostics(), session.completedConnectString, szConnStrOut,
                         cbConnStrOutMax, pcbConnStrOut);
    });
}

SQLRETURN SQL_API SQLDisconnect(SQLHDBC ConnectionHandle) {
    return callOn<Connection>(ConnectionHandle, [&](Connection& connection) -> SQLRETURN {
        if (!connection.connected()) {
            throw DriverError("08003", "The connection is not open.");
        }
        connection.detach();
        return SQL_SUCCESS;
    });
}

SQLRETURN SQL_API SQLSetConnectAttr(SQLHDBC ConnectionHandle, SQLINTEGER Attribute,
                                    SQLPOINTER Value, SQLINTEGER /*StringLength*/) {
    return callOn<Connection>(ConnectionHandle, [&](Connection& connection) -> SQLRETURN {
        const SQLUINTEGER number = numberOf(Value);
        ConnectionOptions& options = connection.options;
        switch (Attribute) {
            case SQL_ATTR_ACCESS_MODE:
                if (number != SQL_MODE_READ_ONLY && number != SQL_MODE_READ_WRITE) {
                    throw DriverError("HY024", "Invalid attribute value.");
                }
                options.accessMode = number;  // applies from the next connect
                return SQL_SUCCESS;
            case SQL_ATTR_AUTOCOMMIT:
                if (number != SQL_AUTOCOMMIT_ON) {
                    throw DriverError("HYC00",
                                      "Every statement commits itself: manual commit "
                                      "mode is not supported.");
                }
                return SQL_SUCCESS;
            case SQL_ATTR_LOGIN_TIMEOUT:
                options.loginTimeout = number;
                return SQL_SUCCESS;
            case SQL_ATTR_CONNECTION_TIMEOUT:
                options.connectionTimeout = number;
                return SQL_SUCCESS;
            case SQL_ATTR_ANSI_APP:    // the driver works with 8-bit text only
            case SQL_ATTR_QUIET_MODE:  // the driver shows no dialogs
                return SQL_SUCCESS;
            default:
                throw DriverError("HYC00",
                                  "Optional feature not implemented: connection "
                                  "attribute " +
                                      std::to_string(Attribute) + ".");
        }
    });
}

SQLRETURN SQL_API SQLGetConnectAttr(SQLHDBC ConnectionHandle, SQLINTEGER Attribute,
                                    SQLPOINTER Value, SQLINTEGER /*BufferLength*/,
                                    SQLINTEGER* StringLength) {
    return callOn<Connection>(ConnectionHandle, [&](Connection& connection) -> SQLRETURN {
        SQLUINTEGER number = 0;
        switch (Attribute) {
            case SQL_ATTR_ACCESS_MODE:
                number = connection.options.accessMode;
                break;
            case SQL_ATTR_AUTOCOMMIT:
                number = SQL_AUTOCOMMIT_ON;
                break;
            case SQL_ATTR_LOGIN_TIMEOUT:
                number = connection.options.loginTimeout;
                break;
            case SQL_ATTR_CONNECTION_TIMEOUT:
                number = connection.options.connectionTimeout;
                break;
            case SQL_ATTR_CONNECTION_DEAD:
                number = connection.connected() ? SQL_CD_FALSE : SQL_CD_TRUE;
                break;
            default:
                throw DriverError("HY092", "Invalid attribute or option identifier.");
        }
        return writeValue(number, Value, StringLength);
    });
}

SQLRETURN SQL_API SQLEndTran(SQLSMALLINT HandleType, SQLHANDLE Handle, SQLSMALLINT CompletionType) {
    // Every statement commits when it runs, so there is never a transaction to end.
    auto check = [&](talveron::odbc::Handle&) -> SQLRETURN {
        if (CompletionType != SQL_COMMIT && CompletionType != SQL_ROLLBACK) {
            throw DriverError("HY012", "Invalid transaction operation code.");
        }
        return SQL_SUCCESS;
    };
    switch (HandleType) {
        case SQL_HANDLE_ENV:
            return callOn<Environment>(Handle, check);
        case SQL_HANDLE_DBC:
            return callOn<Connection>(Handle, check);
        default:
            return SQL_INVALID_HANDLE;
    }
}

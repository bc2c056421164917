// Entry points that allocate and free handles and set environment attributes.

#include <sql.h>
#include <sqlext.h>

#include <cstdint>
#include <memory>

#include "Call.h"
#include "Connection.h"
#include "Environment.h"
#include "Statement.h"
#include "Text.h"

using namespace talveron::odbc;

namespace {

SQLRETURN failWith(Handle& handle, const char* sqlState, const char* text) {
    handle.diagnostics().clear();
    handle.diagnostics().add(sqlState, text);
    handle.diagnostics().returnCode = SQL_ERROR;
    return SQL_ERROR;
}

SQLRETURN allocateEnvironment(SQLHANDLE* output) {
    std::lock_guard lock(apiMutex());
    if (output == nullptr) {
        return SQL_ERROR;
    }
    try {
        auto environment = std::make_unique<Environment>();
        *output = environment.release()->odbcHandle();
        return SQL_SUCCESS;
    } catch (...) {
        *output = SQL_NULL_HENV;
        return SQL_ERROR;
    }
}

void requireOutput(const SQLHANDLE* output) {
    if (output == nullptr) {
        throw DriverError("HY009", "Invalid use of null pointer.");
    }
}

SQLRETURN freeStatement(SQLHANDLE handle) {
    std::lock_guard lock(apiMutex());
    Statement* statement = findHandle<Statement>(handle);
    if (statement == nullptr) {
        return SQL_INVALID_HANDLE;
    }
    statement->connection().removeStatement(*statement);
    return SQL_SUCCESS;
}

}  // namespace

SQLRETURN SQL_API SQLAllocHandle(SQLSMALLINT HandleType, SQLHANDLE InputHandle,
                                 SQLHANDLE* OutputHandle) {
    switch (HandleType) {
        case SQL_HANDLE_ENV:
            return allocateEnvironment(OutputHandle);
        case SQL_HANDLE_DBC:
            return callOn<Environment>(InputHandle, [&](Environment& environment) -> SQLRETURN {
                requireOutput(OutputHandle);
                *OutputHandle = SQL_NULL_HDBC;
                *OutputHandle = environment.addConnection().odbcHandle();
                return SQL_SUCCESS;
            });
        case SQL_HANDLE_STMT:
            return callOn<Connection>(InputHandle, [&](Connection& connection) -> SQLRETURN {
                requireOutput(OutputHandle);
                *OutputHandle = SQL_NULL_HSTMT;
                if (!connection.connected()) {
                    throw DriverError("08003", "The connection is not open.");
                }
                *OutputHandle = connection.addStatement().odbcHandle();
                return SQL_SUCCESS;
            });
        case SQL_HANDLE_DESC:
            return callOn<Connection>(InputHandle, [&](Connection&) -> SQLRETURN {
                requireOutput(OutputHandle);
                *OutputHandle = SQL_NULL_HDESC;
                throw DriverError("HYC00", "Descriptors are not supported.");
            });
        default:
            return SQL_ERROR;
    }
}

SQLRETURN SQL_API SQLFreeHandle(SQLSMALLINT HandleType, SQLHANDLE Handle) {
    switch (HandleType) {
        case SQL_HANDLE_ENV: {
            std::lock_guard lock(apiMutex());
            Environment* environment = findHandle<Environment>(Handle);
            if (environment == nullptr) {
                return SQL_INVALID_HANDLE;
            }
            if (environment->hasConnections()) {
                return failWith(*environment, "HY010",
                                "Function sequence error: connections are still allocated.");
            }
            delete environment;
            return SQL_SUCCESS;
        }
        case SQL_HANDLE_DBC: {
            std::lock_guard lock(apiMutex());
            Connection* connection = findHandle<Connection>(Handle);
            if (connection == nullptr) {
                return SQL_INVALID_HANDLE;
            }
            if (connection->connected()) {
                return failWith(*connection, "HY010",
                                "Function sequence error: the connection is still open.");
            }
            connection->environment().removeConnection(*connection);
            return SQL_SUCCESS;
        }
        case SQL_HANDLE_STMT:
            return freeStatement(Handle);
        default:
            return SQL_INVALID_HANDLE;
    }
}

SQLRETURN SQL_API SQLFreeStmt(SQLHSTMT StatementHandle, SQLUSMALLINT Option) {
    if (Option == SQL_DROP) {
        return freeStatement(StatementHandle);
    }
    return callOn<Statement>(StatementHandle, [&](Statement& statement) -> SQLRETURN {
        switch (Option) {
            case SQL_CLOSE:
                statement.closeCursor();
                return SQL_SUCCESS;
            case SQL_UNBIND:
                statement.bindings.clear();
                return SQL_SUCCESS;
            case SQL_RESET_PARAMS:  // no parameters are ever bound
                return SQL_SUCCESS;
            default:
                throw DriverError("HY092", "Invalid attribute or option identifier.");
        }
    });
}

SQLRETURN SQL_API SQLSetEnvAttr(SQLHENV EnvironmentHandle, SQLINTEGER Attribute, SQLPOINTER Value,
                                SQLINTEGER /*StringLength*/) {
    return callOn<Environment>(EnvironmentHandle, [&](Environment& environment) -> SQLRETURN {
        const auto number = static_cast<SQLINTEGER>(reinterpret_cast<std::intptr_t>(Value));
        switch (Attribute) {
            case SQL_ATTR_ODBC_VERSION:
                if (number != SQL_OV_ODBC2 && number != SQL_OV_ODBC3 && number != SQL_OV_ODBC3_80) {
                    throw DriverError("HY024", "Invalid attribute value.");
                }
                environment.setOdbcVersion(number);
                return SQL_SUCCESS;
            case SQL_ATTR_OUTPUT_NTS:
                if (number != SQL_TRUE) {
                    throw DriverError("HYC00", "Strings are always NUL-terminated.");
                }
                return SQL_SUCCESS;
            default:
                throw DriverError("HY092", "Invalid attribute or option identifier.");
        }
    });
}

SQLRETURN SQL_API SQLGetEnvAttr(SQLHENV EnvironmentHandle, SQLINTEGER Attribute, SQLPOINTER Value,
                                SQLINTEGER /*BufferLength*/, SQLINTEGER* StringLength) {
    return callOn<Environment>(EnvironmentHandle, [&](Environment& environment) -> SQLRETURN {
        SQLINTEGER number = 0;
        switch (Attribute) {
            case SQL_ATTR_ODBC_VERSION:
                number = environment.odbcVersion();
                break;
            case SQL_ATTR_OUTPUT_NTS:
                number = SQL_TRUE;
                break;
            default:
                throw DriverError("HY092", "Invalid attribute or option identifier.");
        }
        return writeValue(number, Value, StringLength);
    });
}

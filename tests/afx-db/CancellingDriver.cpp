// An ODBC driver whose login prompt is always cancelled: SQLDriverConnect
// answers SQL_NO_DATA, as a driver does when its user presses Cancel.

#include <sql.h>
#include <sqlext.h>

#include <new>

namespace {

struct Handle {
    SQLSMALLINT type;
};

}  // namespace

extern "C" {

SQLRETURN SQLAllocHandle(SQLSMALLINT HandleType, SQLHANDLE /*InputHandle*/,
                         SQLHANDLE* OutputHandle) {
    if (HandleType != SQL_HANDLE_ENV && HandleType != SQL_HANDLE_DBC) return SQL_ERROR;
    *OutputHandle = new (std::nothrow) Handle{HandleType};
    return *OutputHandle != nullptr ? SQL_SUCCESS : SQL_ERROR;
}

SQLRETURN SQLFreeHandle(SQLSMALLINT /*HandleType*/, SQLHANDLE Handle) {
    delete static_cast<struct Handle*>(Handle);
    return SQL_SUCCESS;
}

SQLRETURN SQLSetEnvAttr(SQLHENV, SQLINTEGER, SQLPOINTER, SQLINTEGER) {
    return SQL_SUCCESS;
}

SQLRETURN SQLSetConnectAttr(SQLHDBC, SQLINTEGER, SQLPOINTER, SQLINTEGER) {
    return SQL_SUCCESS;
}

SQLRETURN SQLDriverConnect(SQLHDBC, SQLHWND, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT,
                           SQLSMALLINT*, SQLUSMALLINT) {
    return SQL_NO_DATA;
}

SQLRETURN SQLDisconnect(SQLHDBC) {
    return SQL_SUCCESS;
}

SQLRETURN SQLGetDiagRec(SQLSMALLINT, SQLHANDLE, SQLSMALLINT, SQLCHAR*, SQLINTEGER*, SQLCHAR*,
                        SQLSMALLINT, SQLSMALLINT*) {
    return SQL_NO_DATA;
}

}  // extern "C"

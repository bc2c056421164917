// Entry points that prepare and run statements.

#include <sql.h>
#include <sqlext.h>

#include "Call.h"
#include "Statement.h"
#include "Text.h"

using namespace talveron::odbc;

namespace {

SQLRETURN ran(Statement& statement) {
    statement.diagnostics().rowCount = statement.rowCount();
    return SQL_SUCCESS;
}

}  // namespace

SQLRETURN SQL_API SQLPrepare(SQLHSTMT StatementHandle, SQLCHAR* StatementText,
                             SQLINTEGER TextLength) {
    return callOn<Statement>(StatementHandle, [&](Statement& statement) -> SQLRETURN {
        statement.prepare(inputText(StatementText, TextLength));
        return SQL_SUCCESS;
    });
}

SQLRETURN SQL_API SQLExecute(SQLHSTMT StatementHandle) {
    return callOn<Statement>(StatementHandle, [&](Statement& statement) -> SQLRETURN {
        statement.execute();
        return ran(statement);
    });
}

SQLRETURN SQL_API SQLExecDirect(SQLHSTMT StatementHandle, SQLCHAR* StatementText,
                                SQLINTEGER TextLength) {
    return callOn<Statement>(StatementHandle, [&](Statement& statement) -> SQLRETURN {
        statement.prepare(inputText(StatementText, TextLength));
        statement.execute();
        return ran(statement);
    });
}

SQLRETURN SQL_API SQLTables(SQLHSTMT StatementHandle, SQLCHAR* /*CatalogName*/,
                            SQLSMALLINT /*NameLength1*/, SQLCHAR* /*SchemaName*/,
                            SQLSMALLINT /*NameLength2*/, SQLCHAR* TableName,
                            SQLSMALLINT NameLength3, SQLCHAR* TableType, SQLSMALLINT NameLength4) {
    // The engine has neither catalogs nor schemas: only the table name pattern
    // and the type list select.
    return callOn<Statement>(StatementHandle, [&](Statement& statement) -> SQLRETURN {
        statement.listTables(inputText(TableName, NameLength3), inputText(TableType, NameLength4));
        return ran(statement);
    });
}

SQLRETURN SQL_API SQLNumResultCols(SQLHSTMT StatementHandle, SQLSMALLINT* ColumnCount) {
    return callOn<Statement>(StatementHandle, [&](Statement& statement) -> SQLRETURN {
        if (ColumnCount == nullptr) {
            throw DriverError("HY009", "Invalid use of null pointer.");
        }
        *ColumnCount = statement.columnCount();
        return SQL_SUCCESS;
    });
}

SQLRETURN SQL_API SQLRowCount(SQLHSTMT StatementHandle, SQLLEN* RowCount) {
    return callOn<Statement>(StatementHandle, [&](Statement& statement) -> SQLRETURN {
        if (RowCount == nullptr) {
            throw DriverError("HY009", "Invalid use of null pointer.");
        }
        *RowCount = statement.rowCount();
        return SQL_SUCCESS;
    });
}

SQLRETURN SQL_API SQLCloseCursor(SQLHSTMT StatementHandle) {
    return callOn<Statement>(StatementHandle, [&](Statement& statement) -> SQLRETURN {
        if (!statement.hasResult()) {
            throw DriverError("24000", "Invalid cursor state: no cursor is open.");
        }
        statement.closeCursor();
        return SQL_SUCCESS;
    });
}

SQLRETURN SQL_API SQLMoreResults(SQLHSTMT hstmt) {
    // A statement has one result at most; moving past it closes the cursor.
    return callOn<Statement>(hstmt, [&](Statement& statement) -> SQLRETURN {
        statement.closeCursor();
        return SQL_NO_DATA;
    });
}

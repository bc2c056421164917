#pragma once

#include <sql.h>
#include <sqlext.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "Handle.h"
#include "ResultSet.h"
#include "talveron/engine/Database.h"

namespace talveron::odbc {

class Connection;

// A result column as SQLDescribeCol reports it. Every value is text.
struct ColumnDescription {
    std::string name;
    SQLSMALLINT sqlType = SQL_VARCHAR;
    SQLULEN size = 0;
    SQLSMALLINT nullable = SQL_NULLABLE_UNKNOWN;
};

// A column bound with SQLBindCol.
struct ColumnBinding {
    SQLSMALLINT targetType = SQL_C_CHAR;
    SQLPOINTER buffer = nullptr;
    SQLLEN bufferLength = 0;
    SQLLEN* indicator = nullptr;
};

// Where SQLGetData stands in the current row: successive calls on one column
// return its value in parts, then SQL_NO_DATA.
struct GetDataPosition {
    SQLUSMALLINT column = 0;
    std::size_t offset = 0;
    bool finished = false;
};

// An ODBC statement over its connection's engine session.
class Statement : public Handle {
public:
    static constexpr HandleKind kKind = HandleKind::Statement;
    // The size reported for a column before the statement has run.
    static constexpr SQLULEN kDefaultColumnSize = 255;

    explicit Statement(Connection& connection);
    ~Statement() override;

    Connection& connection() const noexcept { return m_connection; }
    SQLINTEGER odbcVersion() const override;

    // Prepares one SQL statement, replacing the earlier one.
    void prepare(std::string_view sql);
    // Runs the prepared statement; a query's rows become the open result.
    void execute();
    // Opens the result of SQLTables: the database's tables whose names match a
    // search pattern ("%" and "_"), when the type list admits TABLE.
    void listTables(std::string_view namePattern, std::string_view typeList);

    SQLSMALLINT columnCount() const;
    // The description of a 1-based result column; throws 07009 out of range.
    ColumnDescription describe(SQLUSMALLINT column) const;

    bool hasResult() const noexcept { return m_result.has_value(); }
    // Moves to the next row; false after the last one.
    bool fetch();
    // A value of the current row, 1-based column.
    const std::optional<std::string>& value(SQLUSMALLINT column) const;
    void closeCursor();
    // Rows changed by the last statement that ran, or the rows of its result.
    SQLLEN rowCount() const noexcept { return m_rowCount; }

    GetDataPosition& getDataPosition() noexcept { return m_getData; }
    std::map<SQLUSMALLINT, ColumnBinding> bindings;

private:
    void checkColumn(SQLUSMALLINT column) const;
    void openResult(ResultSet result);

    Connection& m_connection;
    std::optional<engine::Database::Statement> m_prepared;
    std::optional<ResultSet> m_result;
    std::size_t m_nextRow = 0;
    std::optional<std::size_t> m_currentRow;
    SQLLEN m_rowCount = -1;
    GetDataPosition m_getData;
};

}  // namespace talveron::odbc

#include "Statement.h"

#include <algorithm>
#include <utility>

#include "Connection.h"
#include "Errors.h"
#include "SearchPattern.h"

namespace talveron::odbc {

namespace {

// Resets an engine statement when leaving a scope, so that no read stays open
// on the database after a statement has run or failed.
class ResetOnExit {
public:
    explicit ResetOnExit(engine::Database::Statement& statement) : m_statement(statement) {}
    ~ResetOnExit() {
        try {
            m_statement.reset();
        } catch (...) {  // the statement's own failure is already on its way
        }
    }
    ResetOnExit(const ResetOnExit&) = delete;
    ResetOnExit& operator=(const ResetOnExit&) = delete;

private:
    engine::Database::Statement& m_statement;
};

void refuseOpenCursor(bool open) {
    if (open) {
        throw DriverError("24000", "Invalid cursor state: a result set is open.");
    }
}

}  // namespace

Statement::Statement(Connection& connection) : Handle(kKind), m_connection(connection) {}

Statement::~Statement() = default;

SQLINTEGER Statement::odbcVersion() const {
    return m_connection.odbcVersion();
}

void Statement::prepare(std::string_view sql) {
    refuseOpenCursor(hasResult());
    m_prepared.reset();
    m_rowCount = -1;
    m_prepared.emplace(m_connection.database().prepare(sql));
}

void Statement::execute() {
    if (!m_prepared) {
        throw DriverError("HY010", "Function sequence error: no statement is prepared.");
    }
    refuseOpenCursor(hasResult());
    m_rowCount = -1;
    engine::Database::Statement& statement = *m_prepared;
    ResetOnExit resetter(statement);
    statement.reset();
    const int columns = statement.columnCount();
    if (columns == 0) {
        while (statement.step()) {
        }
        m_rowCount = static_cast<SQLLEN>(statement.changes());
        return;
    }
    ResultSet result;
    for (int column = 0; column < columns; ++column) {
        result.columnNames.push_back(statement.columnName(column));
    }
    while (statement.step()) {
        ResultSet::Row row;
        row.reserve(static_cast<std::size_t>(columns));
        for (int column = 0; column < columns; ++column) {
            row.push_back(statement.columnText(column));
        }
        result.rows.push_back(std::move(row));
    }
    openResult(std::move(result));
}

void Statement::listTables(std::string_view namePattern, std::string_view typeList) {
    refuseOpenCursor(hasResult());
    m_prepared.reset();
    ResultSet result;
    result.columnNames = {"TABLE_CAT", "TABLE_SCHEM", "TABLE_NAME", "TABLE_TYPE", "REMARKS"};
    if (admitsTables(typeList)) {
        for (const std::string& table : m_connection.database().tables()) {
            if (namePattern.empty() || matchesPattern(namePattern, table)) {
                result.rows.push_back({std::nullopt, std::nullopt, table, "TABLE", std::nullopt});
            }
        }
    }
    openResult(std::move(result));
}

void Statement::openResult(ResultSet result) {
    m_rowCount = static_cast<SQLLEN>(result.rows.size());
    m_result = std::move(result);
    m_nextRow = 0;
    m_currentRow.reset();
    m_getData = {};
}

SQLSMALLINT Statement::columnCount() const {
    if (m_result) {
        return static_cast<SQLSMALLINT>(m_result->columnNames.size());
    }
    if (m_prepared) {
        return static_cast<SQLSMALLINT>(m_prepared->columnCount());
    }
    return 0;
}

void Statement::checkColumn(SQLUSMALLINT column) const {
    if (column == 0) {
        throw DriverError("07009", "Invalid descriptor index: bookmarks are not supported.");
    }
    if (column > columnCount()) {
        throw DriverError("07009", "Invalid descriptor index: there is no column " +
                                       std::to_string(column) + ".");
    }
}

ColumnDescription Statement::describe(SQLUSMALLINT column) const {
    checkColumn(column);
    const std::size_t index = column - 1u;
    ColumnDescription description;
    if (m_result) {
        description.name = m_result->columnNames[index];
        description.size = std::max<SQLULEN>(1, m_result->longestValue(index));
    } else {
        description.name = m_prepared->columnName(static_cast<int>(index));
        description.size = kDefaultColumnSize;
    }
    return description;
}

bool Statement::fetch() {
    if (!m_result) {
        throw DriverError("24000", "Invalid cursor state: there is no result set.");
    }
    m_getData = {};
    if (m_nextRow >= m_result->rows.size()) {
        m_currentRow.reset();
        return false;
    }
    m_currentRow = m_nextRow++;
    return true;
}

const std::optional<std::string>& Statement::value(SQLUSMALLINT column) const {
    if (!m_result || !m_currentRow) {
        throw DriverError("24000", "Invalid cursor state: no row is fetched.");
    }
    checkColumn(column);
    return m_result->rows[*m_currentRow][column - 1u];
}

void Statement::closeCursor() {
    m_result.reset();
    m_nextRow = 0;
    m_currentRow.reset();
    m_getData = {};
}

}  // namespace talveron::odbc

#pragma once

#include <sql.h>
#include <sqlext.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Handle.h"
#include "talveron/engine/Database.h"

namespace talveron::odbc {

class Environment;
class Statement;

// Connection attributes the application may set; those that matter for the
// open take effect at the next connect.
struct ConnectionOptions {
    SQLUINTEGER accessMode = SQL_MODE_READ_WRITE;
    SQLUINTEGER loginTimeout = 0;       // accepted; opening a file does not wait
    SQLUINTEGER connectionTimeout = 0;  // accepted; there is no server to wait for
};

// An ODBC connection. While connected it holds one engine session on the
// database, so the database counts as in use until SQLDisconnect.
class Connection : public Handle {
public:
    static constexpr HandleKind kKind = HandleKind::Connection;

    explicit Connection(Environment& environment);
    ~Connection() override;

    Environment& environment() const noexcept { return m_environment; }
    SQLINTEGER odbcVersion() const override;

    bool connected() const noexcept { return m_database.has_value(); }
    void attach(engine::Database database, std::string dataSourceName);
    // Frees the statements and closes the session.
    void detach();

    engine::Database& database();
    const std::string& dataSourceName() const noexcept { return m_dataSourceName; }

    Statement& addStatement();
    void removeStatement(const Statement& statement);

    ConnectionOptions options;

private:
    Environment& m_environment;
    std::optional<engine::Database> m_database;
    std::string m_dataSourceName;
    // Declared after the session: statements go first.
    std::vector<std::unique_ptr<Statement>> m_statements;
};

}  // namespace talveron::odbc

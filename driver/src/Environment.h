#pragma once

#include <sql.h>
#include <sqlext.h>

#include <memory>
#include <vector>

#include "Handle.h"

namespace talveron::odbc {

class Connection;

// An ODBC environment: the ODBC version the application asked for and the
// connections allocated on it.
class Environment : public Handle {
public:
    static constexpr HandleKind kKind = HandleKind::Environment;

    Environment();
    ~Environment() override;

    SQLINTEGER odbcVersion() const override { return m_odbcVersion; }
    void setOdbcVersion(SQLINTEGER version) { m_odbcVersion = version; }

    Connection& addConnection();
    void removeConnection(const Connection& connection);
    bool hasConnections() const noexcept { return !m_connections.empty(); }

private:
    SQLINTEGER m_odbcVersion = SQL_OV_ODBC3;
    std::vector<std::unique_ptr<Connection>> m_connections;
};

}  // namespace talveron::odbc

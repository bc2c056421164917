#include "Connection.h"

#include <algorithm>
#include <utility>

#include "Environment.h"
#include "Errors.h"
#include "Statement.h"

namespace talveron::odbc {

Connection::Connection(Environment& environment) : Handle(kKind), m_environment(environment) {}

Connection::~Connection() {
    detach();
}

SQLINTEGER Connection::odbcVersion() const {
    return m_environment.odbcVersion();
}

void Connection::attach(engine::Database database, std::string dataSourceName) {
    m_database.emplace(std::move(database));
    m_dataSourceName = std::move(dataSourceName);
}

void Connection::detach() {
    m_statements.clear();
    m_database.reset();
    m_dataSourceName.clear();
}

engine::Database& Connection::database() {
    if (!m_database) {
        throw DriverError("08003", "The connection is not open.");
    }
    return *m_database;
}

Statement& Connection::addStatement() {
    m_statements.push_back(std::make_unique<Statement>(*this));
    return *m_statements.back();
}

void Connection::removeStatement(const Statement& statement) {
    std::erase_if(m_statements, [&](const auto& owned) { return owned.get() == &statement; });
}

}  // namespace talveron::odbc

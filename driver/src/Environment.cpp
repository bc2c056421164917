#include "Environment.h"

#include <algorithm>

#include "Connection.h"

namespace talveron::odbc {

Environment::Environment() : Handle(kKind) {}

Environment::~Environment() = default;

Connection& Environment::addConnection() {
    m_connections.push_back(std::make_unique<Connection>(*this));
    return *m_connections.back();
}

void Environment::removeConnection(const Connection& connection) {
    std::erase_if(m_connections, [&](const auto& owned) { return owned.get() == &connection; });
}

}  // namespace talveron::odbc

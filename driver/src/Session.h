#pragma once

#include <string>

#include "ConnectString.h"
#include "Connection.h"
#include "talveron/engine/Database.h"

namespace talveron::odbc {

// An engine session opened for a connection request.
struct OpenedSession {
    engine::Database database;
    std::string dataSourceName;  // empty for a connection without a data source
    std::string completedConnectString;
};

// Opens the session a connection request names: the application's pairs over
// the attributes of its data source (DSN). DBQ (database file) and SystemDB
// (workgroup file) are required; UID defaults to the built-in account "Admin"
// and PWD to empty. The engine checks the account and password. The completed
// connection string ends every pair with ";" and holds DSN (or DRIVER), DBQ,
// SystemDB, UID (the account's stored name) and PWD. Throws DriverError.
OpenedSession openSession(const ConnectAttributes& requested, const ConnectionOptions& options);

}  // namespace talveron::odbc

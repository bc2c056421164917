#pragma once

#include <string_view>

#include "ConnectString.h"

namespace talveron::odbc {

// The attributes of a data source that the driver uses (DBQ, SystemDB, UID,
// PWD), read from odbc.ini through the odbcinst library, which looks in the
// user's file ($ODBCINI) before the system one ($ODBCSYSINI). Attributes the
// data source does not set are absent.
ConnectAttributes readDataSource(std::string_view name);

}  // namespace talveron::odbc

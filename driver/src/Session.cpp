#include "Session.h"

#include <utility>

#include "DataSource.h"
#include "Errors.h"
#include "Keywords.h"
#include "talveron/engine/Error.h"
#include "talveron/engine/Workgroup.h"

namespace talveron::odbc {

namespace {

const std::string& required(const ConnectAttributes& attributes, std::string_view key,
                            const char* what) {
    const std::string* value = attributes.find(key);
    if (value == nullptr || value->empty()) {
        throw DriverError("08001", std::string("No ") + what + " is named: set " +
                                       std::string(key) +
                                       " in the data source or in the connection string.");
    }
    return *value;
}

std::string valueOr(const ConnectAttributes& attributes, std::string_view key,
                    std::string_view fallback) {
    const std::string* value = attributes.find(key);
    return value != nullptr && !value->empty() ? *value : std::string(fallback);
}

}  // namespace

OpenedSession openSession(const ConnectAttributes& requested, const ConnectionOptions& options) {
    ConnectAttributes effective = requested;
    const std::string dataSourceName = valueOr(requested, keyword::kDataSource, "");
    if (!dataSourceName.empty()) {
        const ConnectAttributes dataSource = readDataSource(dataSourceName);
        for (const auto& [key, value] : dataSource.pairs()) {
            effective.addIfAbsent(key, value);
        }
    }

    const std::string& databasePath = required(effective, keyword::kDatabase, "database file");
    const std::string& workgroupPath =
        required(effective, keyword::kSystemDb, "workgroup information file");
    const std::string password = valueOr(effective, keyword::kPassword, "");
    engine::Credentials credentials{
        workgroupPath, valueOr(effective, keyword::kUserId, engine::Workgroup::kAdminUser),
        password};

    engine::OpenOptions openOptions;
    openOptions.readOnly = options.accessMode == SQL_MODE_READ_ONLY;
    std::optional<engine::Database> database;
    try {
        database.emplace(engine::Database::open(databasePath, credentials, openOptions));
    } catch (const engine::Error& error) {
        throw DriverError(std::string(connectStateFor(error.code())), error.description(),
                          error.number());
    }

    std::string completed;
    if (!dataSourceName.empty()) {
        completed += formatPair(keyword::kDataSource, dataSourceName);
    } else if (const std::string* driver = requested.find(keyword::kDriver)) {
        completed += formatPair(keyword::kDriver, *driver);
    }
    completed += formatPair(keyword::kDatabase, databasePath);
    completed += formatPair(keyword::kSystemDb, workgroupPath);
    completed += formatPair(keyword::kUserId, database->user());
    completed += formatPair(keyword::kPassword, password);
    return OpenedSession{std::move(*database), dataSourceName, std::move(completed)};
}

}  // namespace talveron::odbc

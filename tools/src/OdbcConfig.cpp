#include "OdbcConfig.h"

#include <odbcinst.h>

#include <cstdlib>
#include <fstream>
#include <vector>

#include "ExitCode.h"

namespace talveron::admin {

namespace {

// The installer's own account of its last failure.
std::string installerError() {
    std::string text;
    for (WORD record = 1; record <= 8; ++record) {
        DWORD code = 0;
        char message[SQL_MAX_MESSAGE_LENGTH] = {};
        WORD length = 0;
        const SQLRETURN result = SQLInstallerError(record, &code, message, sizeof message, &length);
        if (result != SQL_SUCCESS && result != SQL_SUCCESS_WITH_INFO) {
            break;
        }
        text += text.empty() ? "" : "; ";
        text += message;
    }
    return text.empty() ? "unknown installer error" : text;
}

[[noreturn]] void fail(const std::string& what) {
    throw CommandError(ExitCode::SystemError, what + ": " + installerError());
}

// Refuses values that would break the ini file's line structure.
void requireSingleLine(const std::string& what, const std::string& value) {
    if (value.find_first_of("\r\n") != std::string::npos || value.empty()) {
        throw CommandError(ExitCode::Usage, what + " must be one non-empty line");
    }
}

// Resets the installer's configuration mode however the write ends.
class ConfigMode {
public:
    explicit ConfigMode(UWORD mode) { SQLSetConfigMode(mode); }
    ~ConfigMode() { SQLSetConfigMode(ODBC_BOTH_DSN); }
    ConfigMode(const ConfigMode&) = delete;
    ConfigMode& operator=(const ConfigMode&) = delete;
};

// The installer writes system data sources only into an existing odbc.ini;
// a folder named by ODBCSYSINI may not have one yet.
void ensureSystemOdbcIni() {
    const char* folder = std::getenv("ODBCSYSINI");
    if (folder == nullptr || *folder == '\0') {
        return;
    }
    const std::filesystem::path file = std::filesystem::path(folder) / "odbc.ini";
    std::error_code error;
    if (!std::filesystem::exists(file, error) && !std::ofstream(file, std::ios::app)) {
        throw CommandError(ExitCode::SystemError, "cannot create " + file.string());
    }
}

}  // namespace

std::filesystem::path defaultDriverLibrary() {
    if (const char* overridden = std::getenv("TALVERON_ODBC_DRIVER");
        overridden != nullptr && *overridden != '\0') {
        return overridden;
    }
#ifdef TALVERON_ODBC_DRIVER_PATH
    return TALVERON_ODBC_DRIVER_PATH;
#else
    return {};
#endif
}

std::filesystem::path resolveDriverLibrary(const std::filesystem::path& requested) {
    const std::filesystem::path library = requested.empty() ? defaultDriverLibrary() : requested;
    if (library.empty()) {
        throw CommandError(ExitCode::Usage,
                           "no ODBC driver library is known: pass --driver or set "
                           "TALVERON_ODBC_DRIVER");
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(library, error)) {
        throw CommandError(ExitCode::Usage,
                           "the ODBC driver library " + library.string() + " does not exist");
    }
    return std::filesystem::canonical(library);
}

void registerDriver(const DriverRegistration& driver) {
    requireSingleLine("The driver name", driver.name);
    requireSingleLine("The driver library path", driver.library.string());
    requireSingleLine("The driver description", driver.description);
    // "name\0Description=...\0Driver=...\0\0", as the installer expects it.
    std::string attributes = driver.name;
    attributes.push_back('\0');
    for (const std::string& pair :
         {"Description=" + driver.description, "Driver=" + driver.library.string()}) {
        attributes += pair;
        attributes.push_back('\0');
    }
    attributes.push_back('\0');

    char installedIn[1024] = {};
    WORD installedInLength = 0;
    DWORD usageCount = 0;
    if (!SQLInstallDriverEx(attributes.c_str(), nullptr, installedIn, sizeof installedIn,
                            &installedInLength, ODBC_INSTALL_COMPLETE, &usageCount)) {
        fail("cannot register the ODBC driver \"" + driver.name + "\"");
    }
}

void writeDataSource(const DataSource& dataSource) {
    requireSingleLine("The data source name", dataSource.name);
    requireSingleLine("The data source description", dataSource.description);
    requireSingleLine("The database path", dataSource.database.string());
    requireSingleLine("The workgroup path", dataSource.workgroup.string());
    if (dataSource.system) {
        ensureSystemOdbcIni();
    }
    ConfigMode mode(dataSource.system ? ODBC_SYSTEM_DSN : ODBC_USER_DSN);
    const char* name = dataSource.name.c_str();
    if (!SQLWriteDSNToIni(name, dataSource.driver.c_str())) {
        fail("cannot write the data source \"" + dataSource.name + "\"");
    }
    const std::vector<std::pair<const char*, std::string>> attributes{
        {"Description", dataSource.description},
        {"DBQ", dataSource.database.string()},
        {"SystemDB", dataSource.workgroup.string()},
    };
    for (const auto& [key, value] : attributes) {
        if (!SQLWritePrivateProfileString(name, key, value.c_str(), "odbc.ini")) {
            fail("cannot write " + std::string(key) + " of the data source \"" + dataSource.name +
                 "\"");
        }
    }
}

}  // namespace talveron::admin

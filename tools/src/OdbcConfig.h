#pragma once

#include <filesystem>
#include <string>

namespace talveron::admin {

// The name under which our driver is registered in odbcinst.ini.
inline constexpr const char* kDriverName = "TALVERON ODBC Driver";

// The driver library to register: $TALVERON_ODBC_DRIVER when set, else the
// library built with this program; empty when neither is known.
std::filesystem::path defaultDriverLibrary();

// `requested`, or the default library when empty, as an absolute path to an
// existing file; a usage error when there is none.
std::filesystem::path resolveDriverLibrary(const std::filesystem::path& requested);

struct DriverRegistration {
    std::string name = kDriverName;
    std::filesystem::path library;  // absolute path of the shared library
    std::string description;
};

// A data source of our driver: the database (DBQ) and its workgroup (SystemDB).
struct DataSource {
    std::string name;
    std::string driver = kDriverName;
    std::string description;
    std::filesystem::path database;
    std::filesystem::path workgroup;
    bool system = false;  // $ODBCSYSINI/odbc.ini rather than the user's $ODBCINI
};

// Both go through unixODBC's installer library, which honours ODBCSYSINI and
// ODBCINI. They throw CommandError(SystemError) with the installer's message.
void registerDriver(const DriverRegistration& driver);
void writeDataSource(const DataSource& dataSource);

}  // namespace talveron::admin

#pragma once
// The suite's files for tests that go through ODBC: a workgroup and a database
// made by the engine in a new temporary folder, and data sources over them
// through the built driver. The user's odbc.ini is in that folder, and ODBCINI
// points at it while the OdbcSuite lives; the system's odbc.ini and
// odbcinst.ini are in one folder per process (ODBCSYSINI), since the driver
// manager reads that variable once. One OdbcSuite at a time.

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace tarnex::test {

namespace fs = std::filesystem;

inline constexpr const char* kDriverName = "TALVERON ODBC Driver";

// Accounts of the workgroup: Admin (groups Admins and Users) and Clerk (Users).
inline constexpr const char* kAdminPassword = "admin";
inline constexpr const char* kClerkPassword = "clerk";

struct DataSource {
    DataSource(std::string sourceName, bool inUserIni = false)
        : name(std::move(sourceName)), user(inUserIni) {}

    std::string name;
    bool user = false;                 // in the user's odbc.ini, else in the system one
    bool pointsAtSuite = true;         // DBQ and SystemDB name the suite's files
    std::string driver = kDriverName;  // a driver of odbcinst.ini, or a library's path
};

class OdbcSuite {
public:
    // `folderName` names the folder that holds the files inside the temporary one.
    explicit OdbcSuite(std::vector<DataSource> dataSources = {{"TALVERON Main"}},
                       const std::string& folderName = "suite");
    ~OdbcSuite();
    OdbcSuite(const OdbcSuite&) = delete;
    OdbcSuite& operator=(const OdbcSuite&) = delete;

    fs::path folder;     // holds the database, the workgroup and the ini files
    fs::path workgroup;  // secure.mdw
    fs::path database;   // suite.mdb

    // The sessions of the database that the engine counts.
    std::size_t Sessions() const;
    // Whether the workgroup accepts this password for the account.
    bool Accepts(const std::string& user, const std::string& password) const;
    // The completed connect string that the driver returns for a login.
    std::string CompletedFor(const std::string& dataSource, const std::string& storedUser,
                             const std::string& password) const;

private:
    fs::path m_root;
    std::vector<std::string> m_systemDataSources;
    std::string m_savedIni;
    bool m_hadIni = false;
};

}  // namespace tarnex::test

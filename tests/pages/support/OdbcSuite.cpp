#include "OdbcSuite.h"

#include <stdlib.h>

#include <fstream>
#include <stdexcept>

#include "talveron/engine/Database.h"
#include "talveron/engine/Error.h"
#include "talveron/engine/Workgroup.h"

namespace tarnex::test {

namespace {

namespace engine = talveron::engine;

void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream out(path);
    out << text;
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

void SaveVariable(const char* name, std::string& saved, bool& had) {
    const char* value = ::getenv(name);
    had = value != nullptr;
    if (had) saved = value;
}

void RestoreVariable(const char* name, const std::string& saved, bool had) {
    if (had) {
        ::setenv(name, saved.c_str(), 1);
    } else {
        ::unsetenv(name);
    }
}

}  // namespace

OdbcSuite::OdbcSuite(std::vector<DataSource> dataSources, const std::string& folderName) {
    std::string pattern = (fs::temp_directory_path() / "tarnex-odbc-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    m_root = pattern;
    folder = m_root / folderName;
    fs::create_directories(folder / "system");
    fs::create_directories(folder / "user");
    workgroup = folder / "secure.mdw";
    database = folder / "suite.mdb";

    engine::Workgroup files =
        engine::Workgroup::create(workgroup, "Suite", engine::HashCost::MinimalForTestsOnly);
    files.changePassword("Admin", "", kAdminPassword);
    const engine::Account admin = files.authenticate("Admin", kAdminPassword);
    files.addUser(admin, "Clerk", kClerkPassword);
    engine::Database::create(database, files, admin);

    WriteFile(folder / "system" / "odbcinst.ini",
              std::string("[") + kDriverName + "]\nDescription = Driver of the suite\nDriver = " +
                  TALVERON_ODBC_DRIVER_PATH + "\n");
    std::string systemIni;
    std::string userIni;
    for (const DataSource& source : dataSources) {
        std::string section = "[" + source.name + "]\nDriver = " + source.driver + "\n";
        if (source.pointsAtSuite) {
            section += "DBQ = " + database.string() + "\nSystemDB = " + workgroup.string() + "\n";
        }
        for (const std::string& line : source.lines) section += line + "\n";
        (source.user ? userIni : systemIni) += section + "\n";
    }
    WriteFile(folder / "system" / "odbc.ini", systemIni);
    WriteFile(folder / "user" / "odbc.ini", userIni);

    SaveVariable("ODBCSYSINI", m_savedSysIni, m_hadSysIni);
    SaveVariable("ODBCINI", m_savedIni, m_hadIni);
    ::setenv("ODBCSYSINI", (folder / "system").c_str(), 1);
    ::setenv("ODBCINI", (folder / "user" / "odbc.ini").c_str(), 1);
}

OdbcSuite::~OdbcSuite() {
    RestoreVariable("ODBCSYSINI", m_savedSysIni, m_hadSysIni);
    RestoreVariable("ODBCINI", m_savedIni, m_hadIni);
    std::error_code ignored;
    fs::remove_all(m_root, ignored);
}

std::size_t OdbcSuite::Sessions() const { return engine::sessionsOf(database).size(); }

bool OdbcSuite::Accepts(const std::string& user, const std::string& password) const {
    try {
        engine::Workgroup::open(workgroup, true).authenticate(user, password);
        return true;
    } catch (const engine::Error&) {
        return false;
    }
}

std::string OdbcSuite::CompletedFor(const std::string& dataSource, const std::string& storedUser,
                                    const std::string& password) const {
    return "DSN=" + dataSource + ";DBQ=" + database.string() + ";SystemDB=" + workgroup.string() +
           ";UID=" + storedUser + ";PWD=" + password + ";";
}

}  // namespace tarnex::test

#include "OdbcSuite.h"

#include <odbcinst.h>
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

// Writes one value through the installer's profile function, which also drops
// what the driver manager keeps of the files it has read (for 20 seconds).
void WriteProfileText(const fs::path& ini, const std::string& section, const std::string& key,
                      const std::string& value) {
    if (!SQLWritePrivateProfileString(section.c_str(), key.c_str(), value.c_str(), ini.c_str())) {
        throw std::runtime_error("cannot write " + ini.string());
    }
}

// A new folder in the temporary folder.
fs::path MakeTemporaryFolder(const std::string& prefix) {
    std::string pattern = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    return pattern;
}

// The driver manager reads ODBCSYSINI once per process, so every suite keeps
// its system files in this one folder, which lives as long as the process.
const fs::path& SystemIniFolder() {
    static const struct Folder {
        Folder() : path(MakeTemporaryFolder("tarnex-odbcsys")) {
            ::setenv("ODBCSYSINI", path.c_str(), 1);
        }
        ~Folder() {
            std::error_code ignored;
            fs::remove_all(path, ignored);
        }
        fs::path path;
    } folder;
    return folder.path;
}

}  // namespace

OdbcSuite::OdbcSuite(std::vector<DataSource> dataSources, const std::string& folderName) {
    m_root = MakeTemporaryFolder("tarnex-odbc");
    folder = m_root / folderName;
    fs::create_directories(folder / "user");
    workgroup = folder / "secure.mdw";
    database = folder / "suite.mdb";

    engine::Workgroup files =
        engine::Workgroup::create(workgroup, "Suite", engine::HashCost::MinimalForTestsOnly);
    files.changePassword("Admin", "", kAdminPassword);
    const engine::Account admin = files.authenticate("Admin", kAdminPassword);
    files.addUser(admin, "Clerk", kClerkPassword);
    engine::Database::create(database, files, admin);

    const fs::path& system = SystemIniFolder();
    WriteFile(system / "odbcinst.ini", std::string("[") + kDriverName +
                                           "]\nDescription = Driver of the suite\nDriver = " +
                                           TALVERON_ODBC_DRIVER_PATH + "\n");
    const fs::path systemIni = system / "odbc.ini";
    const fs::path userIni = folder / "user" / "odbc.ini";
    WriteFile(systemIni, "");
    WriteFile(userIni, "");
    for (const DataSource& source : dataSources) {
        const fs::path& ini = source.user ? userIni : systemIni;
        WriteProfileText(ini, source.name, "Driver", source.driver);
        if (source.pointsAtSuite) {
            WriteProfileText(ini, source.name, "DBQ", database.string());
            WriteProfileText(ini, source.name, "SystemDB", workgroup.string());
        }
        if (!source.user) m_systemDataSources.push_back(source.name);
    }

    SaveVariable("ODBCINI", m_savedIni, m_hadIni);
    ::setenv("ODBCINI", (folder / "user" / "odbc.ini").c_str(), 1);
}

OdbcSuite::~OdbcSuite() {
    // The data sources go with the files they name.
    for (const std::string& name : m_systemDataSources) {
        SQLWritePrivateProfileString(name.c_str(), nullptr, nullptr,
                                     (SystemIniFolder() / "odbc.ini").c_str());
    }
    RestoreVariable("ODBCINI", m_savedIni, m_hadIni);
    std::error_code ignored;
    fs::remove_all(m_root, ignored);
}

std::size_t OdbcSuite::Sessions() const {
    return engine::sessionsOf(database).size();
}

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

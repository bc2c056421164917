#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <vector>

#include "Commands.h"
#include "ExitCode.h"
#include "HashCostOption.h"
#include "OdbcConfig.h"
#include "SampleData.h"

namespace talveron::admin {

namespace {

namespace fs = std::filesystem;

constexpr const char* kDataSourceName = "TALVERON Demo";

struct DemoOptions {
    fs::path folder;
    fs::path driverLibrary;
    engine::HashCost cost = engine::HashCost::MinimalForTestsOnly;
};

// Files the demo has started to create; removed again unless the demo completes.
class CreatedFiles {
public:
    CreatedFiles() = default;
    CreatedFiles(const CreatedFiles&) = delete;
    CreatedFiles& operator=(const CreatedFiles&) = delete;
    ~CreatedFiles() {
        for (const fs::path& path : m_paths) {
            std::error_code ignored;
            fs::remove(path, ignored);
        }
    }
    void add(const fs::path& path) { m_paths.push_back(path); }
    void keep() { m_paths.clear(); }

private:
    std::vector<fs::path> m_paths;
};

// A word for a POSIX shell: bare when safe, otherwise in single quotes.
std::string shellWord(const std::string& text) {
    const bool safe = !text.empty() && text.find_first_not_of(
                                           "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                           "0123456789/._-+:,@%") == std::string::npos;
    if (safe) {
        return text;
    }
    std::string quoted = "'";
    for (char letter : text) {
        quoted += letter == '\'' ? std::string("'\\''") : std::string(1, letter);
    }
    return quoted + "'";
}

void createAccountsAndDatabase(const fs::path& workgroupPath, const fs::path& databasePath,
                               engine::HashCost cost, CreatedFiles& created) {
    created.add(workgroupPath);
    engine::Workgroup workgroup = engine::Workgroup::create(workgroupPath, kDataSourceName, cost);
    workgroup.changePassword(engine::Workgroup::kAdminUser, "", "admin");
    const engine::Account admin = workgroup.authenticate(engine::Workgroup::kAdminUser, "admin");
    workgroup.addUser(admin, "Clerk", "clerk");

    created.add(databasePath);
    engine::Database::create(databasePath, workgroup, admin);
    engine::Database database = engine::Database::open(
        databasePath, engine::Credentials{workgroupPath, admin.name(), "admin"});
    fillSampleData(database);
}

// The ODBC files of the demo folder, written through the installer library
// pointed at that folder.
void writeOdbcFiles(const fs::path& folder, const fs::path& library, const fs::path& workgroupPath,
                    const fs::path& databasePath, CreatedFiles& created) {
    const fs::path odbcIni = folder / "odbc.ini";
    ::setenv("ODBCSYSINI", folder.c_str(), 1);
    ::setenv("ODBCINI", odbcIni.c_str(), 1);
    ::unsetenv("ODBCINSTINI");
    created.add(folder / "odbcinst.ini");
    created.add(odbcIni);

    DriverRegistration driver;
    driver.library = library;
    driver.description = "ODBC driver for TALVERON databases";
    registerDriver(driver);

    DataSource dataSource;
    dataSource.name = kDataSourceName;
    dataSource.description = "TALVERON demonstration database";
    dataSource.database = databasePath;
    dataSource.workgroup = workgroupPath;
    dataSource.system = true;
    writeDataSource(dataSource);
}

void runDemo(const DemoOptions& options) {
    const fs::path library = resolveDriverLibrary(options.driverLibrary);
    fs::create_directories(options.folder);
    const fs::path folder = fs::canonical(options.folder);
    const fs::path workgroupPath = folder / "system.mdw";
    const fs::path databasePath = folder / "talveron.mdb";
    for (const char* name : {"system.mdw", "talveron.mdb", "odbcinst.ini", "odbc.ini"}) {
        std::error_code error;
        if (fs::exists(fs::symlink_status(folder / name, error))) {
            throw CommandError(ExitCode::Usage, folder.string() + " already holds " + name +
                                                    "; choose a new or empty folder");
        }
    }

    CreatedFiles created;
    createAccountsAndDatabase(workgroupPath, databasePath, options.cost, created);
    writeOdbcFiles(folder, library, workgroupPath, databasePath, created);
    created.keep();

    std::cout << "# Data source \"" << kDataSourceName
              << "\" with the accounts Admin/admin and Clerk/clerk. To use it:\n"
              << "export ODBCSYSINI=" << shellWord(folder.string()) << '\n'
              << "export ODBCINI=" << shellWord((folder / "odbc.ini").string()) << std::endl;
}

}  // namespace

void addDemoCommand(CLI::App& app, Context& context) {
    auto options = std::make_shared<DemoOptions>();
    CLI::App* demo = addCommand(app, context, "demo",
                                "Create a demonstration workgroup, database and data source",
                                [options] { runDemo(*options); });
    addDetails(*demo,
               "Creates in FOLDER: system.mdw (Admin/admin in \"Admins\" and \"Users\", "
               "Clerk/clerk in \"Users\"), talveron.mdb owned by Admin with sample tables, "
               "odbcinst.ini registering the driver and odbc.ini with the data source "
               "\"TALVERON Demo\"; then prints the export lines for ODBCSYSINI and ODBCINI. "
               "Its passwords are public and, unless --hash-cost says otherwise, hashed at the "
               "minimal test cost for a fast start: never use it for real data.");
    demo->add_option("folder", options->folder, "Folder for the files (created if missing)")
        ->required();
    demo->add_option("--driver", options->driverLibrary,
                     "Driver library to register (default: $TALVERON_ODBC_DRIVER, else the "
                     "driver built with this program)");
    addHashCostOption(*demo, options->cost)->default_str("minimal-for-tests");
}

}  // namespace talveron::admin

#include <filesystem>
#include <iostream>
#include <memory>

#include "Commands.h"
#include "ExitCode.h"
#include "OdbcConfig.h"

namespace talveron::admin {

namespace {

namespace fs = std::filesystem;

struct DataSourceOptions {
    std::string name;
    fs::path database;
    fs::path driverLibrary;
    std::string description = "TALVERON database";
    bool system = false;
};

fs::path existingFile(const fs::path& path, const std::string& what) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        throw CommandError(ExitCode::Usage, what + " " + path.string() + " does not exist");
    }
    return fs::canonical(path);
}

void addDataSource(const Context& context, const DataSourceOptions& options) {
    DataSource dataSource;
    dataSource.name = options.name;
    dataSource.description = options.description;
    dataSource.database = existingFile(options.database, "The database");
    dataSource.workgroup = existingFile(context.requireWorkgroup(), "The workgroup file");
    dataSource.system = options.system;

    DriverRegistration driver;
    driver.library = resolveDriverLibrary(options.driverLibrary);
    driver.description = "ODBC driver for TALVERON databases";

    registerDriver(driver);
    writeDataSource(dataSource);
    std::string upperName = options.name;
    for (char& letter : upperName) {
        letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    }
    if (upperName.find("TALVERON") == std::string::npos) {
        std::cerr << "talveron-admin: note: the database manager lists only data sources "
                     "whose names contain \"TALVERON\"\n";
    }
}

}  // namespace

void addDataSourceCommands(CLI::App& app, Context& context) {
    const Context& ctx = context;
    auto options = std::make_shared<DataSourceOptions>();

    CLI::App* dataSource = app.add_subcommand("datasource", "ODBC data sources");
    dataSource->require_subcommand(1);
    CLI::App* add =
        addCommand(*dataSource, context, "add", "Register the driver and write a data source",
                   [&ctx, options] { addDataSource(ctx, *options); });
    addDetails(*add,
               "Registers the ODBC driver in odbcinst.ini (in $ODBCSYSINI) and writes a data "
               "source for the database (DBQ) and the workgroup given with -w (SystemDB) in "
               "odbc.ini: the user's ($ODBCINI), or with --system the one in $ODBCSYSINI.");
    add->add_option("name", options->name, "Data source name")->required();
    add->add_option("--database", options->database, "Database file (DBQ)")->required();
    add->add_option("--description", options->description, "Description of the data source")
        ->capture_default_str();
    add->add_option("--driver", options->driverLibrary,
                    "Driver library to register (default: $TALVERON_ODBC_DRIVER, else the "
                    "driver built with this program)");
    add->add_flag("--system", options->system, "Write a system data source");
}

}  // namespace talveron::admin
